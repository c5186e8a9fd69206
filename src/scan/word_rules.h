// The word rules: ExtractWord cuts the candidate at the scan position and applies the rules that
// shorten or empty it (trailing hyphens, final "s", apostrophe remnants and contraction stems, no
// vowel); AcceptWord rejects too short, too long, one-character and Roman-numeral words.
#pragma once

#include <QStringView>

#include "scan/scan_options.h"

namespace lxt {

// The longest raw candidate, in characters.
inline constexpr int kMaxCandidateLength = 65000;
// The contraction stems, each followed by one blank.
inline constexpr char16_t kContractionStems[] =
    u"aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";

// The candidate at `scanPosition` (0-based) of `line` after the rules of `options`, as a view
// into `line` (possibly empty). Advances `scanPosition` past the raw candidate.
QStringView ExtractWord(QStringView line, qsizetype& scanPosition, const ScanOptions& options);

// True when the candidate has 3 to maxWordLength characters (a surrogate pair is one
// character), is not one character repeated and does not read as a Roman numeral (written in
// the Latin letters IVXLCDM only).
bool AcceptWord(QStringView candidate, int maxWordLength);

// The characters below 128 that read as letters of a Roman numeral once upper-cased, as two
// 64-bit masks.
constexpr quint64 RomanMask(int half) {
    quint64 mask = 0;
    for (const char16_t c : u"IVXLCDMivxlcdm") {
        if (c != 0 && c / 64 == half) mask |= quint64(1) << (c % 64);
    }
    return mask;
}

// The final-s rule: the candidate without a final "s" unless it ends in "ss", "'s" or a
// vowel followed by "s", is shorter than 3 characters, or is one of the exceptions.
QStringView DropFinalS(QStringView candidate);
// True when the candidate is an apostrophe remnant ("s", "t") or an ending of a contraction
// stem, case ignored.
bool IsContractionPart(QStringView candidate);

// The characters below 128 that end a contraction stem, in either case, as two 64-bit masks.
constexpr quint64 StemEndingMask(int half) {
    quint64 mask = 0;
    const char16_t* stems = kContractionStems;
    for (int i = 0; stems[i] != 0 && stems[i + 1] != 0; ++i) {
        if (stems[i + 1] != u' ' || stems[i] == u' ') continue;
        const char16_t c = stems[i];
        const char16_t cases[2] = {c, c >= u'a' && c <= u'z' ? char16_t(c - 32) : c};
        for (const char16_t u : cases) {
            if (u < 128 && u / 64 == half) mask |= quint64(1) << (u % 64);
        }
    }
    return mask;
}

// False when the candidate surely is no contraction part: two characters or more, the last
// one below 128 and not one that ends a stem.
inline bool MayBeContractionPart(QStringView candidate) {
    if (candidate.size() <= 1) return true;
    const char16_t last = candidate.back().unicode();
    constexpr quint64 kMasks[2] = {StemEndingMask(0), StemEndingMask(1)};
    return last >= 128 || ((kMasks[last / 64] >> (last % 64)) & 1) != 0;
}

// IsContractionPart for a candidate of 3 characters or more below 256, held one byte each
// with at least 8 bytes readable from `bytes`.
bool IsStemEnding(const unsigned char* bytes, qsizetype size);
inline bool IsContractionEnding(const unsigned char* bytes, qsizetype size) {
    const unsigned char last = bytes[size - 1];
    constexpr quint64 kMasks[2] = {StemEndingMask(0), StemEndingMask(1)};
    // The endings are written in ASCII letters; most candidates end in none that ends a stem.
    return last < 128 && ((kMasks[last / 64] >> (last % 64)) & 1) != 0 && IsStemEnding(bytes, size);
}

// The rules that shorten or empty a raw candidate (a maximal run of word characters):
// trailing hyphens, final "s", contraction parts, no vowel. `flags` are the word-character
// flags of its characters or-ed together (WordCharTable).
inline QStringView ApplyWordRules(QStringView raw, unsigned flags, const ScanOptions& options) {
    qsizetype n = raw.size();
    const char16_t* p = raw.utf16();
    while (n > 0 && p[n - 1] == u'-') --n;
    QStringView candidate(p, n);
    if (options.dropFinalS && !options.readingWords) candidate = DropFinalS(candidate);
    if (!options.apostrophesAllowed && !options.readingWords && MayBeContractionPart(candidate) &&
        IsContractionPart(candidate)) {
        return {};
    }
    if (options.ignoreNoVowel && (flags & WordCharTable::kVowelOrYBit) == 0) return {};
    return candidate;
}

// True for a candidate that AcceptWord surely accepts (the usual case, decided at once): 3 to
// maxLength characters, the first two different and not blanks, the first not a letter of
// a Roman numeral, the second no surrogate. False says nothing.
inline bool SurelyAccepted(QStringView candidate, int maxLength) {
    const qsizetype n = candidate.size();
    if (n <= 2 || n > maxLength) return false;
    const unsigned first = candidate[0].unicode();
    const unsigned second = candidate[1].unicode();
    const quint64 roman = first < 64 ? RomanMask(0) : RomanMask(1);
    // One decision without further branches.
    return (first < 128) & (first != u' ') & (second != u' ') & (second != first) &
           (second - 0xD800u >= 0x800u) & (((roman >> (first & 63)) & 1) == 0);
}

// AcceptWord for a candidate that holds no surrogate pair and no blank, deciding the usual
// word at once: 3 to maxLength characters, not one character repeated, and not written in
// the letters of Roman numerals only (a candidate that begins with one goes to AcceptWord for
// its exceptions).
inline bool AcceptsWithoutPairs(QStringView candidate, int maxLength) {
    const qsizetype n = candidate.size();
    if (n <= 2 || n > maxLength) return false;
    const char16_t* w = candidate.utf16();
    constexpr quint64 kRoman[2] = {RomanMask(0), RomanMask(1)};
    if (w[0] < 128 && ((kRoman[w[0] / 64] >> (w[0] % 64)) & 1) != 0) {
        return AcceptWord(candidate, maxLength);
    }
    if (w[1] != w[0]) return true;
    qsizetype k = 2;
    while (k < n && w[k] == w[0]) ++k;
    return k < n;
}

}  // namespace lxt

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
// The rules that shorten or empty a raw candidate (a maximal run of word characters):
// trailing hyphens, final "s", contraction parts, no vowel. `flags` are the word-character
// flags of its characters or-ed together (WordCharTable).
QStringView ApplyWordRules(QStringView raw, unsigned flags, const ScanOptions& options);

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

}  // namespace lxt

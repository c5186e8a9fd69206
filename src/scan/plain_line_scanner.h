// The line scanner's quick way for the usual line: text whose characters all lie below 256
// (once the blanks and control characters at its ends are trimmed: no control character,
// no C1 character, no no-break space), in Windows-1252 or UTF-8, in which no marked span
// can begin and no entity is decoded. Such a line is case-folded into one byte per
// character (ASCII sixteen bytes at a time) and scanned as bytes with the word-character
// tables of the scan; each accepted word is widened to UTF-16 for the sink. The words are
// those ScanLine finds in the decoded, trimmed and case-folded line.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <algorithm>
#include <array>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "scan/word_rules.h"

namespace lxt {

class PlainLineScanner {
  public:
    // `options` must outlive the scanner. `caseSignificant`: lines keep their case.
    PlainLineScanner(const ScanOptions& options, bool caseSignificant);

    enum class Outcome {
        NeedsScanLine,  // nothing done: the line takes the general way
        Empty,          // nothing but blanks and control characters: nothing to scan
        Scanned,
    };
    // Scans the line `bytes` (no line end; UTF-8 when `utf8`, else Windows-1252) when it is
    // a plain line and no span is open in `state`. Ends the line after the current candidate
    // when a stop is requested. `Sink` has Accept(QStringView) (a WordSink, or a sink whose
    // class is final, called without a virtual call).
    template <typename Sink>
    Outcome Scan(QByteArrayView bytes, bool utf8, ScanState& state, Sink& sink, ScanEvents& events);

    static constexpr unsigned char kBlank = 32;
    static constexpr qsizetype kBlock = 16;

  private:
    // The scan lets events run after each this many bytes (the pump itself reads the clock
    // only every so many calls, so a stop is seen within a few thousand words): about one
    // yield for every two or three words instead of one for each candidate.
    static constexpr qsizetype kBytesPerYield = 16;

    // Trims the line and prepares it when it takes the quick way (Scanned), or tells why not.
    Outcome PrepareLine(QByteArrayView bytes, bool utf8, const ScanState& state);
    // Copies the trimmed line into line_, case-folded, one byte per character, with the
    // blank appended; false when a byte rules the quick way out.
    bool Prepare(const unsigned char* p, qsizetype n, bool utf8);
    void SpaceDoubleHyphens();
    qsizetype WordRun(const unsigned char* b, qsizetype limit) const;
    unsigned VowelFlag(const unsigned char* b, qsizetype length) const;
    static void Widen(const unsigned char* from, qsizetype length, char16_t* to);

    const ScanOptions& options_;
    bool caseSignificant_;
    bool usable_;             // the scan's markers and context allow the quick way at all
    bool hyphenIsWordChar_;   // "--" must be turned into blanks
    bool hasHyphen_ = false;  // the line prepared holds a hyphen
    // Bytes below 128 that send a line to ScanLine: the first characters of the start
    // markers, and "&" when entities are decoded.
    std::array<bool, 128> refused_{};
    std::array<char, 128> refusedList_{};
    int refusedCount_ = 0;
    std::array<unsigned char, 256> word_{};   // word-character flags of the characters
    std::array<unsigned char, 256> start_{};  // whether a word may begin with the character
    // The character (below 256) case-folded as the line is, or 0 when the quick way does not
    // take it.
    std::array<unsigned char, 256> fold_{};
    qsizetype untilYield_ = 0;  // bytes to scan before events may run again
    QByteArray line_;           // the line prepared, with room for whole blocks after its end
    qsizetype size_ = 0;        // its length, the blank appended included
    std::vector<char16_t> wide_;
};

namespace plain_scan {

// AcceptWord for a candidate of characters below 256 (no blank among them), deciding the
// usual word at once: 3 to maxLength characters, not one character repeated, and not written in
// the letters of Roman numerals only (those few go to AcceptWord for its exceptions).
inline bool AcceptsSingleBytes(QStringView candidate, int maxLength) {
    const qsizetype n = candidate.size();
    if (n <= 2 || n > maxLength) return false;
    const char16_t* w = candidate.utf16();
    // Most words have a letter outside IVXLCDM among their first few, and a second letter
    // other than their first.
    qsizetype i = 0;
    constexpr quint64 kRoman[2] = {RomanMask(0), RomanMask(1)};
    while (i < n && w[i] < 128 && ((kRoman[w[i] / 64] >> (w[i] % 64)) & 1) != 0) ++i;
    if (i == n) return AcceptWord(candidate, maxLength);
    if (w[1] != w[0]) return true;
    qsizetype k = 2;
    while (k < n && w[k] == w[0]) ++k;
    return k < n;
}

}  // namespace plain_scan

// The length of the run of word characters at b (at most `limit`). Runs of the small
// letters a-z are taken sixteen at a time; the blocks may read past the blank that ends the
// line into the room after it, where the run has always ended.
inline qsizetype PlainLineScanner::WordRun(const unsigned char* b, qsizetype limit) const {
    qsizetype length = 0;
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi8('a');
    const __m128i z = _mm_set1_epi8('z');
    for (;;) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + length));
        // a-z: unsigned a <= v <= z.
        const __m128i small = _mm_cmpeq_epi8(_mm_max_epu8(_mm_min_epu8(v, z), a), v);
        const unsigned letters =
            unsigned(__builtin_ctz(~unsigned(_mm_movemask_epi8(small)) | 0x10000u));
        length += letters;
        if (letters == kBlock) continue;
        // Another word character (a capital, a hyphen, a digit ...) goes on with the run.
        if ((word_[b[length]] & WordCharTable::kWordBit) == 0) break;
        ++length;
    }
    return std::min(length, limit);
#else
    while (length < limit && (word_[b[length]] & WordCharTable::kWordBit) != 0) ++length;
    return length;
#endif
}

// The word-character flags that the rules read (a vowel or y among the characters), found
// at the first vowel.
inline unsigned PlainLineScanner::VowelFlag(const unsigned char* b, qsizetype length) const {
    for (qsizetype k = 0; k < length; ++k) {
        if ((word_[b[k]] & WordCharTable::kVowelOrYBit) != 0) return WordCharTable::kVowelOrYBit;
    }
    return 0;
}

inline void PlainLineScanner::Widen(const unsigned char* from, qsizetype length, char16_t* to) {
    qsizetype k = 0;
#if defined(__SSE2__)
    // Whole blocks (the line has room after its end, the buffer after the longest word).
    for (; k < length; k += kBlock) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k),
                         _mm_unpacklo_epi8(v, _mm_setzero_si128()));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k + 8),
                         _mm_unpackhi_epi8(v, _mm_setzero_si128()));
    }
#else
    for (; k < length; ++k) to[k] = from[k];
#endif
}

template <typename Sink>
PlainLineScanner::Outcome PlainLineScanner::Scan(QByteArrayView bytes, bool utf8, ScanState& state,
                                                 Sink& sink, ScanEvents& events) {
    if (const Outcome prepared = PrepareLine(bytes, utf8, state); prepared != Outcome::Scanned)
        return prepared;

    const auto* b = reinterpret_cast<const unsigned char*>(line_.constData());
    const qsizetype n = size_;  // the blank appended included
    qsizetype pos = 0;
    qsizetype nextYield = untilYield_;  // counted on from the lines before
    char16_t* wide = wide_.data();
    while (pos + 1 < n) {
        if (start_[b[pos]] == 0) {
            // Not where a word begins: on to the next character other than a blank.
            ++pos;
            while (pos < n && b[pos] == kBlank) ++pos;
            continue;
        }
        const qsizetype length =
            WordRun(b + pos, std::min<qsizetype>(n - pos, kMaxCandidateLength));
        const unsigned char* word = b + pos;
        pos += length;
        // The rules never lengthen a candidate: one of two characters or fewer is rejected
        // as it stands.
        if (length > 2) {
            Widen(word, length, wide);
            const QStringView candidate =
                ApplyWordRules(QStringView(wide, length),
                               options_.ignoreNoVowel ? VowelFlag(word, length) : 0u, options_);
            if (plain_scan::AcceptsSingleBytes(candidate, options_.maxWordLength))
                sink.Accept(candidate);
        }
        if (pos >= nextYield) {
            events.LetEventsRun();
            nextYield = pos + kBytesPerYield;
        }
        if (events.StopRequested()) break;
    }
    state.scanPosition = pos;
    untilYield_ = nextYield - n;
    return Outcome::Scanned;
}

}  // namespace lxt

// The line scanner's quick way for the usual line: text whose characters all lie below 256
// (once the blanks and control characters at its ends are trimmed: no control character,
// no C1 character, no no-break space), in Windows-1252 or UTF-8, in which no marked span
// can begin and no entity is decoded. Such a line is case-folded into one byte per
// character (ASCII sixteen bytes at a time) and scanned as bytes with the word-character
// tables of the scan, the word rules applied to the bytes; each accepted word goes to the sink
// as bytes when the sink takes them, else widened to UTF-16. The words are those ScanLine
// finds in the decoded, trimmed and case-folded line.
#pragma once

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
#include "support/narrow_text.h"

namespace lxt {

class PlainLineScanner {
  public:
    // `caseSignificant`: lines keep their case.
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

    // The word rules in force, as the scan of a line keeps them at hand.
    struct Rules {
        bool dropFinalS;     // a final "s" goes (counting)
        bool contractions;   // contraction parts are dropped (counting, no apostrophes)
        bool ignoreNoVowel;  // words without a vowel or y are dropped
        int maxWordLength;
    };

    // Trims the line and prepares it when it takes the quick way (Scanned), or tells why not.
    Outcome PrepareLine(QByteArrayView bytes, bool utf8, const ScanState& state);
    // Copies the trimmed line into line_, case-folded, one byte per character, with the
    // blank appended; false when a byte rules the quick way out.
    bool Prepare(const unsigned char* p, qsizetype n, bool utf8);
    void SpaceDoubleHyphens();
    qsizetype WordRun(const unsigned char* b, qsizetype limit) const;
    unsigned VowelFlag(const unsigned char* b, qsizetype length) const;
    // The word rules and the acceptance of the raw candidate of `length` characters at `word`:
    // the length of the word accepted (the rules only shorten a candidate), or 0. The few
    // candidates that need the rules' full tests are widened into `wide` for them.
    // The word rules that shorten a raw candidate of `length` characters at `word` (trailing
    // hyphens, a final "s"), with the length test: the length of the word left (a prefix of
    // the candidate), or 0 when it is too short or too long. A final "s" is tested in `wide`.
    qsizetype TrimmedLength(const Rules& rules, const unsigned char* word, qsizetype length,
                            char16_t* wide) const;
    // The rest of the rules and the acceptance, for the word of `size` characters at `word`
    // that TrimmedLength left: no contraction part, a vowel or y, not one character repeated,
    // not a Roman numeral. The few words that need AcceptWord's full tests are widened into
    // `wide` for it.
    bool Admissible(const Rules& rules, const unsigned char* word, qsizetype size,
                    char16_t* wide) const;
    // Hands the word to the sink when it is admissible. A sink that takes bytes gets the word
    // with the test, which it need not make for a word it already holds (only admissible
    // words are ever held); any other sink gets admissible words, widened.
    template <typename Sink, typename Test>
    static void Deliver(Sink& sink, const unsigned char* word, qsizetype size, char16_t* wide,
                        Test admissible);

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
    std::array<bool, 256> roman_{};           // the letters of Roman numerals, in either case
    Rules rules_{};
    // The character (below 256) case-folded as the line is, or 0 when the quick way does not
    // take it.
    std::array<unsigned char, 256> fold_{};
    qsizetype untilYield_ = 0;  // bytes to scan before events may run again
    // The line prepared, with room for whole blocks after its end (it only grows).
    std::vector<unsigned char> line_;
    unsigned char wordStart_ = 'a';  // the sentinel after the line: a byte that begins a word
    qsizetype size_ = 0;             // its length, the blank appended included
    std::vector<char16_t> wide_;
};

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

inline qsizetype PlainLineScanner::TrimmedLength(const Rules& rules, const unsigned char* word,
                                                 qsizetype length, char16_t* wide) const {
    qsizetype n = length;
    while (n > 0 && word[n - 1] == '-') --n;
    // Only a final "s" may go.
    if (rules.dropFinalS && n > 2 && word[n - 1] == 's') {
        WidenNarrow(word, n, wide);
        n = DropFinalS(QStringView(wide, n)).size();
    }
    // Words shorter than 3 characters are never counted.
    return n <= 2 || n > rules.maxWordLength ? 0 : n;
}

inline bool PlainLineScanner::Admissible(const Rules& rules, const unsigned char* word,
                                         qsizetype size, char16_t* wide) const {
    if (rules.contractions && IsContractionEnding(word, size)) return false;
    // The characters the rules took off the end are no vowels.
    if (rules.ignoreNoVowel && VowelFlag(word, size) == 0) return false;
    // Most words have a letter outside IVXLCDM among their first few, and a second letter
    // other than their first.
    if (roman_[word[0]]) {
        qsizetype i = 1;
        while (i < size && roman_[word[i]]) ++i;
        if (i == size) {
            WidenNarrow(word, size, wide);
            return AcceptWord(QStringView(wide, size), rules.maxWordLength);
        }
    }
    if (word[1] != word[0]) return true;
    qsizetype k = 2;
    while (k < size && word[k] == word[0]) ++k;
    return k < size;
}

template <typename Sink, typename Test>
inline void PlainLineScanner::Deliver(Sink& sink, const unsigned char* word, qsizetype size,
                                      char16_t* wide, Test admissible) {
    if constexpr (requires { sink.AcceptNarrow(word, size, wide, admissible); }) {
        sink.AcceptNarrow(word, size, wide, admissible);
    } else if (admissible()) {
        WidenNarrow(word, size, wide);
        sink.Accept(QStringView(wide, size));
    }
}

template <typename Sink>
PlainLineScanner::Outcome PlainLineScanner::Scan(QByteArrayView bytes, bool utf8, ScanState& state,
                                                 Sink& sink, ScanEvents& events) {
    if (const Outcome prepared = PrepareLine(bytes, utf8, state); prepared != Outcome::Scanned)
        return prepared;

    const unsigned char* b = line_.data();
    const qsizetype n = size_;  // the blank appended included
    qsizetype pos = 0;
    qsizetype nextYield = untilYield_;  // counted on from the lines before
    char16_t* wide = wide_.data();
    const Rules rules = rules_;
    for (;;) {
        // On to where a word may begin; the sentinel after the line's blank stops the search.
        while (start_[b[pos]] == 0) ++pos;
        if (pos + 1 >= n) break;
        const qsizetype length =
            WordRun(b + pos, std::min<qsizetype>(n - pos, kMaxCandidateLength));
        const unsigned char* word = b + pos;
        pos += length;
        // The rules never lengthen a candidate: one of two characters or fewer is rejected
        // as it stands.
        if (length > 2) {
            if (const qsizetype size = TrimmedLength(rules, word, length, wide); size > 0) {
                Deliver(sink, word, size, wide,
                        [&] { return Admissible(rules, word, size, wide); });
            }
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

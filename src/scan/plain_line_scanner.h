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
#include <array>
#include <vector>

namespace lxt {

class WordSink;
struct ScanOptions;
struct ScanState;
class ScanEvents;

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
    // when a stop is requested.
    Outcome Scan(QByteArrayView bytes, bool utf8, ScanState& state, WordSink& sink,
                 ScanEvents& events);

  private:
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

}  // namespace lxt

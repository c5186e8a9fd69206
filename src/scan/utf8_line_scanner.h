// The line scanner's quick way for a UTF-8 line that holds characters beyond U+00FF
// (Cyrillic, Greek, Polish, typographic quotes and dashes in English text) but none that
// needs ScanLine: no marked span can begin in it, no entity is decoded, and it holds no
// control character, C1 character, no-break space, combining mark, character beyond the
// Basic Multilingual Plane or invalid sequence. The line is decoded, repaired (the dashes,
// quotation marks and dots of U+2010 to U+203A become their ASCII stand-ins, "č" becomes
// "c") and case-folded in one pass through tables made per 256 characters from the
// program's own repairs and lower-casing, each character's word-character flags stored
// beside it; then one tight loop finds the words. The words are those ScanLine finds in the
// decoded, trimmed, repaired and case-folded line.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace lxt {

class WordSink;
struct ScanOptions;
struct ScanState;
class ScanEvents;

class Utf8LineScanner {
  public:
    // `options` must outlive the scanner. `caseSignificant`: lines keep their case.
    Utf8LineScanner(const ScanOptions& options, bool caseSignificant);
    ~Utf8LineScanner();

    // Scans the UTF-8 line `bytes` (no line end) when it may take the quick way and no span
    // is open in `state`; false (nothing done) when it needs ScanLine. Ends the line after
    // the current candidate when a stop is requested.
    bool Scan(QByteArrayView bytes, ScanState& state, WordSink& sink, ScanEvents& events);

  private:
    // What one character of the file becomes: up to four characters (a stand-in may be
    // longer than the character it replaces) with their flags; none when the line must take
    // ScanLine.
    struct Becomes {
        std::array<char16_t, 4> text{};
        std::array<unsigned char, 4> flags{};
        unsigned char length = 0;
    };
    using Page = std::array<Becomes, 256>;

    const Page& PageOf(char16_t u) {
        const Page* page = pages_[u >> 8].get();
        return page != nullptr ? *page : MakePage(u);
    }
    const Page& MakePage(char16_t u);
    bool Prepare(const unsigned char* p, qsizetype n);

    const ScanOptions& options_;
    bool caseSignificant_;
    bool usable_;  // the scan's markers and context allow the quick way at all
    bool hyphenIsWordChar_;
    bool hasHyphen_ = false;           // the line prepared holds a hyphen
    std::array<bool, 128> refused_{};  // first characters of start markers, "&" for entities
    std::array<std::unique_ptr<Page>, 256> pages_;  // made on the first character of each
    QString line_;                                  // the line prepared, one blank appended
    std::vector<unsigned char> flags_;              // the flags of its characters
    qsizetype untilYield_ = 0;  // characters to scan before events may run again
};

}  // namespace lxt

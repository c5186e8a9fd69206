// Recognises UTF-8 text that has no byte-order mark: a file is UTF-8 when every byte of it
// belongs to a well-formed UTF-8 sequence and at least one sequence takes more than one
// byte. The file is read once, in blocks, and the reading stops at the first byte that
// cannot be UTF-8, so a Windows-1252 file with an accented letter near its start costs
// almost nothing.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace lxt {

// What the bytes seen so far say.
enum class Utf8Verdict {
    Ascii,      // well-formed, and every character is one byte (7-bit ASCII)
    MultiByte,  // well-formed, with at least one multi-byte sequence
    Invalid,    // a byte that no well-formed UTF-8 text holds there
};

// Checks UTF-8 text given in pieces; a sequence may be cut between two pieces.
class Utf8Checker {
  public:
    // Takes the next piece; gives Invalid as soon as the text cannot be UTF-8.
    Utf8Verdict Feed(QByteArrayView bytes);
    // The verdict at the end of the text (a sequence cut off by the end is invalid).
    Utf8Verdict Finish() const;

  private:
    int needed_ = 0;             // continuation bytes still expected
    unsigned char low_ = 0x80;   // the range of the next continuation byte, which is narrower
    unsigned char high_ = 0xBF;  // after some lead bytes (overlong forms, surrogates)
    bool multiByte_ = false;
    bool invalid_ = false;
};

// True when the file, read as a whole, is UTF-8 with at least one multi-byte sequence.
// A file that cannot be read is not UTF-8.
bool IsUtf8WithoutMark(const QString& fileName);

}  // namespace lxt

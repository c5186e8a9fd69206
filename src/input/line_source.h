// What the reading loop of a file scan reads its lines from: a text file, or the text of a
// docx's pieces held in memory.
#pragma once

#include <QString>
#include <QtGlobal>

namespace lxt {

enum class LineEncoding { Win1252, Utf8 };

class LineSource {
  public:
    virtual ~LineSource() = default;
    // The next line into `line`; false at the end of the text (nothing read). `ended` tells
    // whether a line end closed it (false for the last line without one and for the parts
    // of an over-long line).
    virtual bool ReadLine(QString& line, bool& ended) = 0;
    // The encoding of the lines read from now on (a text already in characters keeps its).
    virtual void SetEncoding(LineEncoding encoding) = 0;
    // The bytes of the text that the last line took, without its line end.
    virtual qint64 LastLineBytes() const = 0;
    // The bytes of the last line's line end: 2 for CR LF, 1 for CR or LF, 0 for none.
    virtual int LastLineEndBytes() const = 0;
};

}  // namespace lxt

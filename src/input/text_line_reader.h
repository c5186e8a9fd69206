// Reads a text file line by line in large blocks: a line ends at CR LF, CR or LF, and a
// line never holds a line-end character. Bytes become characters by Windows-1252, or by
// UTF-8 for a text read as UTF-8 and for the text of a docx. Memory stays bounded
// by the longest line, never by the file: a line longer than kMaxLineBytes is handed over in
// parts, cut after a blank or a control character where there is one.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <memory>

namespace lxt {

enum class LineEncoding { Win1252, Utf8 };

class TextLineReader final {
  public:
    using Encoding = LineEncoding;
    static constexpr qint64 kBlockSize = 1024 * 1024;
    static constexpr qsizetype kMaxLineBytes = 1024 * 1024;

    // Opens the file; throws RunError when it cannot be opened.
    TextLineReader(const QString& path, Encoding encoding);
    // Reads a text held in memory, in the same blocks and lines as from a file; the lines
    // that lie whole in a block are handed over from the text itself.
    TextLineReader(QByteArray text, Encoding encoding);

    // The next line into `line`; false at the end of the file (nothing read). `ended` tells
    // whether a line end closed it (false for the last line without one and for the parts
    // of an over-long line). Throws RunError on a read error.
    bool ReadLine(QString& line, bool& ended);
    // The same, giving the line's bytes undecoded: the view is valid until the next read.
    bool ReadLineBytes(QByteArrayView& bytes, bool& ended);
    // Decodes the bytes of a line (from ReadLineBytes) into `line` by the encoding in force.
    void DecodeLine(QByteArrayView bytes, QString& line) const;
    // The encoding in force.
    LineEncoding CurrentEncoding() const { return encoding_; }
    // The encoding of the lines read from now on.
    void SetEncoding(Encoding encoding) { encoding_ = encoding; }
    // The bytes of the file that the last line took, without its line end.
    qint64 LastLineBytes() const { return lastBytes_; }
    // The bytes of the last line's line end: 2 for CR LF, 1 for CR or LF, 0 for none.
    int LastLineEndBytes() const { return lastEndBytes_; }
    // True when the last line was a part of an over-long line, not yet its end.
    bool LastWasPart() const { return lastPart_; }

  private:
    bool Refill();
    // Keeps `bytes` (a line) in held_ and gives back the view of the copy.
    QByteArrayView Hold(QByteArrayView bytes);

    std::unique_ptr<QIODevice> device_;  // the file, or null for a text in memory
    QByteArray text_;                    // the text in memory
    qsizetype textPos_ = 0;              // where its next block starts
    Encoding encoding_;
    QByteArray blockRead_;  // the block read from the file
    QByteArrayView block_;  // the block being read: blockRead_, or a part of the text
    qsizetype pos_ = 0;
    QByteArray pending_;  // bytes of the current line gathered across blocks
    QByteArray held_;     // a line handed over that does not lie whole in the block
    qint64 lastBytes_ = 0;
    int lastEndBytes_ = 0;
    bool lastPart_ = false;
};

}  // namespace lxt

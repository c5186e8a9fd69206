// Standard output of lxt-count. Everything the program writes there goes through one
// object, so that a write that fails (a full disk, an I/O error) is noticed and reported
// with exit status 3 instead of a listing silently lost. A reader that went away (a closed
// pipe) is no error: the program ends quietly, as other filters do.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

namespace lxt::cli {

class StandardOutput {
  public:
    explicit StandardOutput(std::FILE* stream = stdout) : stream_(stream) {}

    // Writes `bytes`; after a failure nothing more is written.
    void Write(QByteArrayView bytes);
    void Write(const QByteArray& bytes) { Write(QByteArrayView(bytes)); }
    void Write(const QString& text) { Write(text.toUtf8()); }
    // Flushes what is buffered; true when everything written so far has been delivered.
    bool Flush();

    // The error number of the first failed write or flush, 0 when none failed.
    int Error() const { return error_; }
    // True when the failure was the reader going away (a closed pipe).
    bool ReaderGone() const;
    // The message for a failure, "lxt-count: standard output: ..." (empty for none and for
    // a closed pipe).
    QString FailureMessage() const;

  private:
    std::FILE* stream_;
    int error_ = 0;
};

}  // namespace lxt::cli

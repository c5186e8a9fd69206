#include "input/text_line_reader.h"

#include <QFile>
#include <cerrno>
#include <utility>

#include "run/run_error.h"
#include "support/error_numbers.h"
#include "support/file_proc.h"
#include "support/line_ends.h"
#include "support/native_file.h"
#include "support/utf8.h"
#include "support/win1252.h"

namespace lxt {

namespace {

// A part of an over-long line ends after a blank or a control character (a tab): never
// inside a word.
constexpr unsigned char kBlank = 32;

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

TextLineReader::TextLineReader(const QString& path, Encoding encoding)
    : device_(std::make_unique<QFile>()), encoding_(encoding) {
    errno = 0;
    if (!OpenFile(*static_cast<QFile*>(device_.get()), path, QIODevice::ReadOnly)) {
        if (errno == EACCES || errno == EPERM) {
            throw RunError{kErrPermissionDenied, QStringLiteral("Permission denied")};
        }
        if (!FileExists(path)) throw RunError{kErrFileNotFound, QStringLiteral("File not found")};
        throw RunError{kErrPathFileAccess, QStringLiteral("Path/File access error")};
    }
}

TextLineReader::TextLineReader(QByteArray text, Encoding encoding)
    : text_(std::move(text)), encoding_(encoding) {}

bool TextLineReader::Refill() {
    pos_ = 0;
    if (device_ == nullptr) {
        block_ = QByteArrayView(text_).sliced(textPos_, qMin(kBlockSize, text_.size() - textPos_));
        textPos_ += block_.size();
        return !block_.isEmpty();
    }
    blockRead_ = device_->read(kBlockSize);
    block_ = blockRead_;
    const auto* file = qobject_cast<const QFileDevice*>(device_.get());
    if (block_.isEmpty() && file != nullptr && file->error() != QFileDevice::NoError) {
        throw RunError{kErrDeviceIo, QStringLiteral("Device I/O error")};
    }
    return !block_.isEmpty();
}

void TextLineReader::DecodeLine(QByteArrayView bytes, QString& line) const {
    // resize, not clear: the line's buffer is kept for the next line.
    line.resize(0);
    if (encoding_ == Encoding::Utf8) {
        AppendUtf8(bytes, line);
    } else {
        AppendWin1252(bytes, line);
    }
}

QByteArrayView TextLineReader::Hold(QByteArrayView bytes) {
    if (bytes.data() != held_.constData()) {
        held_.resize(0);
        held_.append(bytes);
    }
    return held_;
}

bool TextLineReader::ReadLine(QString& line, bool& ended) {
    QByteArrayView bytes;
    if (!ReadLineBytes(bytes, ended)) return false;
    DecodeLine(bytes, line);
    return true;
}

bool TextLineReader::ReadLineBytes(QByteArrayView& bytes, bool& ended) {
    lastPart_ = false;
    lastEndBytes_ = 0;
    for (;;) {
        if (pos_ >= block_.size() && !Refill()) {
            if (pending_.isEmpty()) return false;
            held_.swap(pending_);
            pending_.resize(0);
            bytes = held_;
            lastBytes_ = bytes.size();
            ended = false;
            return true;
        }
        const char* start = block_.constData() + pos_;
        const qsizetype available = block_.size() - pos_;
        const qsizetype length = IndexOfLineEnd(QByteArrayView(start, available));
        if (length >= 0) {
            const bool cr = start[length] == kCr;
            if (pending_.isEmpty()) {
                // The whole line lies in the block: handed over from there.
                bytes = QByteArrayView(start, length);
            } else {
                pending_.append(start, length);
                held_.swap(pending_);
                pending_.resize(0);
                bytes = held_;
            }
            lastBytes_ = bytes.size();
            pos_ += length + 1;
            lastEndBytes_ = 1;
            // The LF of a CR LF pair, perhaps at the start of the next block (the line is
            // kept aside before the block is refilled).
            if (cr && pos_ >= block_.size()) bytes = Hold(bytes);
            if (cr && (pos_ < block_.size() || Refill()) && block_[pos_] == kLf) {
                ++pos_;
                lastEndBytes_ = 2;
            }
            ended = true;
            return true;
        }
        pending_.append(start, available);
        pos_ = block_.size();
        if (pending_.size() >= kMaxLineBytes) {
            // An over-long line: hand over its part up to the last blank or control
            // character, or up to a character boundary when it has none.
            qsizetype cut = pending_.size();
            while (cut > 0 && static_cast<unsigned char>(pending_[cut - 1]) > kBlank) --cut;
            if (cut == 0) {
                cut = pending_.size();
                while (cut > 1 && IsUtf8Continuation(pending_[cut - 1])) --cut;
                if (cut > 1 && static_cast<unsigned char>(pending_[cut - 1]) >= 0xC0) --cut;
                if (cut <= 1) cut = pending_.size();
            }
            held_.resize(0);
            held_.append(QByteArrayView(pending_).first(cut));
            pending_.remove(0, cut);
            bytes = held_;
            lastBytes_ = bytes.size();
            lastPart_ = true;
            ended = false;
            return true;
        }
    }
}

}  // namespace lxt

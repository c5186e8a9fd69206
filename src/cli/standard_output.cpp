#include "cli/standard_output.h"

#include <cerrno>
#include <cstring>

#include "cli/cli_options.h"

namespace lxt::cli {

namespace {

constexpr char kStandardOutputName[] = "standard output";

}  // namespace

void StandardOutput::Write(QByteArrayView bytes) {
    if (error_ != 0 || bytes.isEmpty()) return;
    errno = 0;
    const size_t size = static_cast<size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stream_) != size) error_ = errno != 0 ? errno : EIO;
}

bool StandardOutput::Flush() {
    if (error_ != 0) return false;
    errno = 0;
    if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) error_ = errno != 0 ? errno : EIO;
    return error_ == 0;
}

bool StandardOutput::ReaderGone() const {
    return error_ == EPIPE;
}

QString StandardOutput::FailureMessage() const {
    if (error_ == 0 || ReaderGone()) return {};
    return QLatin1String(kMessagePrefix) + QLatin1String(kStandardOutputName) +
           QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error_));
}

}  // namespace lxt::cli

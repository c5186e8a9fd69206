#include "cli/standard_input.h"

#include <QFile>

#include "support/private_temp_folder.h"

namespace lxt::cli {

namespace {

// The copy has no extension: standard input is read as plain text, never as a web page.
constexpr char kCopyName[] = "standard-input";
constexpr qint64 kChunkBytes = 1 << 16;

}  // namespace

StandardInputCopy CopyStandardInput(const PrivateTempFolder& folder, int fd) {
    if (!folder.IsValid()) return {{}, folder.ErrorString()};
    QFile input;
    if (!input.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        return {{}, input.errorString()};
    }
    QFile copy(folder.FilePath(QLatin1String(kCopyName)));
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {{}, copy.errorString()};
    for (;;) {
        const QByteArray chunk = input.read(kChunkBytes);
        if (chunk.isEmpty()) {
            if (input.error() != QFileDevice::NoError) return {{}, input.errorString()};
            break;
        }
        if (copy.write(chunk) != chunk.size()) return {{}, copy.errorString()};
    }
    if (!copy.flush()) return {{}, copy.errorString()};
    copy.close();
    if (copy.error() != QFileDevice::NoError) return {{}, copy.errorString()};
    return {copy.fileName(), {}};
}

}  // namespace lxt::cli

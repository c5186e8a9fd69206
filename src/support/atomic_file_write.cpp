#include "support/atomic_file_write.h"

#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>

#include "support/native_file.h"
#include "support/native_file_name.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace lxt {

#ifdef Q_OS_UNIX

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr int kRandomLetters = 8;

// The target of a symbolic link (the file it names), else the path itself.
QByteArray ResolvedTarget(const QByteArray& path) {
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char* resolved = ::realpath(path.constData(), nullptr);
    if (resolved == nullptr) return path;
    QByteArray target(resolved);
    std::free(resolved);
    return target;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Makes a new, hidden file beside `target`; gives its descriptor (or -1) and its name.
int CreateTemporaryBeside(const QByteArray& target, QByteArray& name) {
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray prefix = target.left(slash + 1) + '.' + target.mid(slash + 1) + '.';
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = prefix;
        for (int i = 0; i < kRandomLetters; ++i) {
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        }
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes all bytes; false with errno set on a failure (a full disk among them).
bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Makes the rename itself lasting; a folder that cannot be synced changes nothing.
void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

QString WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const QByteArray target = ResolvedTarget(EncodeFileName(path));
    QByteArray temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0) return SystemErrorText(errno);
    struct stat old {};
    bool done = ::stat(target.constData(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0;
    // The data must be on the disk before the new file takes the old one's name: a full disk
    // shows only here, and then the old file must stay whole.
    done = done && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(temporary.constData(), target.constData()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temporary.constData());
        return SystemErrorText(error);
    }
    SyncFolder(FolderOf(target));
    return {};
}

#else

QString WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    // The write is buffered: a full disk shows only when the buffer is flushed, and the
    // commit does not look, so the flush is checked before the file replaces the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString description = file.errorString();
        file.cancelWriting();
        return description;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

#endif

}  // namespace lxt

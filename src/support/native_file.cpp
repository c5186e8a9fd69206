#include "support/native_file.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>

#include "support/native_file_name.h"

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lxt {

namespace {

#ifdef Q_OS_UNIX
// The open(2) flags for a QIODevice mode, as QFile chooses them.
int OpenFlags(QIODevice::OpenMode mode) {
    int flags = O_CLOEXEC;
    const bool reading = mode.testFlag(QIODevice::ReadOnly);
    const bool writing = mode.testFlag(QIODevice::WriteOnly) || mode.testFlag(QIODevice::Append);
    if (reading && writing) {
        flags |= O_RDWR;
    } else if (writing) {
        flags |= O_WRONLY;
    } else {
        flags |= O_RDONLY;
    }
    if (!writing) return flags;
    if (!mode.testFlag(QIODevice::ExistingOnly)) flags |= O_CREAT;
    if (mode.testFlag(QIODevice::NewOnly)) flags |= O_EXCL;
    if (mode.testFlag(QIODevice::Append)) {
        flags |= O_APPEND;
    } else if (mode.testFlag(QIODevice::Truncate) ||
               (!reading && !mode.testFlag(QIODevice::NewOnly) &&
                !mode.testFlag(QIODevice::ExistingOnly))) {
        flags |= O_TRUNC;
    }
    return flags;
}
#endif

}  // namespace

PathInfo InfoOfPath(const QString& path) {
    PathInfo result;
    if (path.isEmpty()) return result;
#ifdef Q_OS_UNIX
    const QByteArray native = EncodeFileName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) {
        result.exists = errno == EACCES && ::access(native.constData(), F_OK) == 0;
        return result;
    }
    result.exists = true;
    result.isFolder = S_ISDIR(info.st_mode);
    result.isRegular = S_ISREG(info.st_mode);
    result.isSpecial = !result.isFolder && !result.isRegular;
    result.ownerWritable = (info.st_mode & S_IWUSR) != 0;
    result.size = static_cast<qint64>(info.st_size);
    result.device = static_cast<quint64>(info.st_dev);
    result.fileNumber = static_cast<quint64>(info.st_ino);
#else
    const QFileInfo info(path);
    result.exists = info.exists();
    result.isFolder = info.isDir();
    result.isRegular = info.isFile();
    result.isSpecial = info.exists() && !info.isFile() && !info.isDir();
    result.ownerWritable = (info.permissions() & QFileDevice::WriteOwner) != 0;
    result.size = info.size();
#endif
    return result;
}

bool OpenFile(QFile& file, const QString& path, QIODevice::OpenMode mode) {
#ifdef Q_OS_UNIX
    const int fd = ::open(EncodeFileName(path).constData(), OpenFlags(mode), 0666);
    if (fd < 0) return false;
    const QIODevice::OpenMode kept =
        mode & ~(QIODevice::Truncate | QIODevice::NewOnly | QIODevice::ExistingOnly);
    if (file.open(fd, kept, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
    errno = EIO;
    return false;
#else
    file.setFileName(path);
    return file.open(mode);
#endif
}

bool IsWritablePath(const QString& path) {
#ifdef Q_OS_UNIX
    return ::access(EncodeFileName(path).constData(), W_OK) == 0;
#else
    return QFileInfo(path).isWritable();
#endif
}

bool RemoveFile(const QString& path) {
#ifdef Q_OS_UNIX
    return ::unlink(EncodeFileName(path).constData()) == 0;
#else
    return QFile::remove(path);
#endif
}

bool MakeWritableByOwner(const QString& path) {
#ifdef Q_OS_UNIX
    const QByteArray native = EncodeFileName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) return false;
    return ::chmod(native.constData(), (info.st_mode & 07777) | S_IWUSR) == 0;
#else
    return QFile::setPermissions(
        path, QFile::permissions(path) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
#endif
}

QString CurrentFolder() {
#ifdef Q_OS_UNIX
    QByteArray buffer(4096, Qt::Uninitialized);
    while (::getcwd(buffer.data(), static_cast<size_t>(buffer.size())) == nullptr) {
        if (errno != ERANGE) return QDir::currentPath();
        buffer.resize(buffer.size() * 2);
    }
    return DecodeFileName(QByteArrayView(buffer.constData()));
#else
    return QDir::currentPath();
#endif
}

bool SetCurrentFolder(const QString& folder) {
#ifdef Q_OS_UNIX
    return ::chdir(EncodeFileName(folder).constData()) == 0;
#else
    return QDir::setCurrent(folder);
#endif
}

QString AbsoluteFilePath(const QString& path) {
    if (path.isEmpty()) return path;
    if (QDir::isAbsolutePath(path)) return QDir::cleanPath(path);
    return QDir::cleanPath(CurrentFolder() + u'/' + path);
}

QString AbsoluteFolderOf(const QString& path) {
    const QString absolute = AbsoluteFilePath(path);
    const qsizetype slash = absolute.lastIndexOf(u'/');
    if (slash < 0) return absolute;
    return slash == 0 ? absolute.left(1) : absolute.left(slash);
}

QString CanonicalFilePath(const QString& path) {
    if (path.isEmpty()) return {};
#ifdef Q_OS_UNIX
    char* resolved = ::realpath(EncodeFileName(path).constData(), nullptr);
    if (resolved == nullptr) return {};
    const QString canonical = DecodeFileName(QByteArrayView(resolved));
    std::free(resolved);
    return canonical;
#else
    return QFileInfo(path).canonicalFilePath();
#endif
}

QString FileShownAs(const QString& path) {
#ifdef Q_OS_UNIX
    if (!path.contains(QChar(QChar::ReplacementCharacter)) || InfoOfPath(path).exists) return path;
    const QString folder = AbsoluteFolderOf(path);
    const QString absolute = AbsoluteFilePath(path);
    const QString shown = absolute.mid(absolute.lastIndexOf(u'/') + 1);
    DIR* dir = ::opendir(EncodeFileName(folder).constData());
    if (dir == nullptr) return path;
    QString found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView bytes(entry->d_name);
        // As the dialog decoded it.
        if (QFile::decodeName(bytes.toByteArray()) != shown) continue;
        found = DecodeFileName(bytes);
        ++matches;
    }
    ::closedir(dir);
    if (matches != 1) return path;
    return (folder.endsWith(u'/') ? folder : folder + u'/') + found;
#else
    return path;
#endif
}

QString SystemErrorText(int errorNumber) {
    return qt_error_string(errorNumber);
}

}  // namespace lxt

#include "support/folder_proc.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "support/disk_proc.h"
#include "support/native_file.h"
#include "support/str_proc.h"

namespace lxt {

namespace {

bool IsReadOnlyFile(const QFileInfo& info) {
    return info.isFile() && !(info.permissions() & QFileDevice::WriteOwner);
}

// Makes every file and folder of the tree writable, so that all of it can be removed.
void MakeTreeWritable(const QString& root) {
    const auto writable = QFileDevice::WriteOwner | QFileDevice::WriteUser;
    QFile::setPermissions(root, QFile::permissions(root) | writable);
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().isSymLink()) continue;
        QFile::setPermissions(path, QFile::permissions(path) | writable);
    }
}

bool TreeHoldsReadOnlyFile(const QString& root) {
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isSymLink() && IsReadOnlyFile(it.fileInfo())) return true;
    }
    return false;
}

QString WithSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(PathSeparator()) || folder.endsWith(u'/')) {
        return folder;
    }
    return folder + PathSeparator();
}

}  // namespace

bool FolderExists(const QString& path) {
    const QString trimmed = path.trimmed();
    return InfoOfPath(trimmed).isFolder;
}

bool DeleteFolderTree(const QString& path, QString& errorDescription, bool force) {
    QString folder = path;
    StripTrailingBackslashes(folder);
    errorDescription.clear();
    if (!FolderExists(folder)) {
        errorDescription = QStringLiteral("Path not found");
        return false;
    }
    if (force) {
        MakeTreeWritable(folder);
    } else if (TreeHoldsReadOnlyFile(folder)) {
        errorDescription = QStringLiteral("Permission denied");
        return false;
    }
    if (!QDir(folder).removeRecursively()) {
        errorDescription = QStringLiteral("Permission denied");
        return false;
    }
    return true;
}

QString SpecialFolder(int folderId) {
    if (folderId != kSpecialFolderAppData) return {};
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(qEnvironmentVariable("APPDATA"));
#else
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.isEmpty() && QDir::isAbsolutePath(config)) return config;
    const QString home = QDir::homePath();
    if (home.isEmpty()) return {};
    return WithSeparator(home) + QStringLiteral(".config");
#endif
}

QString SettingsFilePath(const QString& fileName, const QString& subFolder) {
    QString base = SpecialFolder(kSpecialFolderAppData);
    if (base.isEmpty()) base = FirstFixedDrive();
    if (base.isEmpty()) return {};
    const QString folder = subFolder.isEmpty() ? base : WithSeparator(base) + subFolder;
    // The user's configuration folder itself may not exist yet on a new account.
    if (!FolderExists(folder)) QDir().mkpath(folder);
    return WithSeparator(folder) + fileName;
}

}  // namespace lxt

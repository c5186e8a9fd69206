#include "support/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lxt {

QString DataFolderOf(const QString& executableFolder) {
    const QDir beside(executableFolder);
    if (QFileInfo(beside.filePath(QLatin1String(kDataMarkerFile))).isFile())
        return executableFolder;
    const QString installed = QDir::cleanPath(beside.filePath(QLatin1String(kInstalledDataFolder)));
    if (QFileInfo(QDir(installed).filePath(QLatin1String(kDataMarkerFile))).isFile()) {
        return installed;
    }
    return executableFolder;
}

QString DataFolder() {
    return QDir::toNativeSeparators(DataFolderOf(QCoreApplication::applicationDirPath()));
}

}  // namespace lxt

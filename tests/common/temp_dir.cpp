#include "common/temp_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace lxt::test {

TempDir::TempDir() : dir_(QDir::tempPath() + QStringLiteral("/lxt-test-XXXXXX")) {}

QString TempDir::Write(const QString& name, const QByteArray& bytes) const {
    const QString path = File(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    return path;
}

QByteArray TempDir::Read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

EnvOverride::EnvOverride(const char* name, const QString& value)
    : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name, value.toLocal8Bit());
}

EnvOverride::~EnvOverride() {
    if (had_) {
        qputenv(name_, old_);
    } else {
        qunsetenv(name_);
    }
}

QString DataDir() {
    const QByteArray env = qgetenv("LXT_TEST_DATA");
    return env.isEmpty() ? QCoreApplication::applicationDirPath() : QFile::decodeName(env);
}

bool DataFilesPresent() {
    const QString catalogue = QDir(DataDir()).filePath(QStringLiteral("lxt.dat"));
    if (QFileInfo(catalogue).isFile()) return true;
    std::fprintf(stderr,
                 "The test data files are missing (%s not found): set LXT_TEST_DATA to the data "
                 "folder of the source tree.\n",
                 qPrintable(catalogue));
    return false;
}

}  // namespace lxt::test

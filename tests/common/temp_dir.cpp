#include "common/temp_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    return env.isEmpty() ? QStringLiteral(".") : QString::fromLocal8Bit(env);
}

}  // namespace lxt::test

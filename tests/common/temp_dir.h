// A temporary folder for the files a test writes, removed when the test ends.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace lxt::test {

class TempDir {
  public:
    TempDir();
    QString Path() const { return dir_.path(); }
    // Full path of `name` inside the folder.
    QString File(const QString& name) const { return dir_.filePath(name); }
    // Writes raw bytes to `name` and returns its full path.
    QString Write(const QString& name, const QByteArray& bytes) const;
    // Reads a file whole (empty when missing).
    static QByteArray Read(const QString& path);

  private:
    QTemporaryDir dir_;
};

// Points an environment variable elsewhere for the life of the object.
class EnvOverride {
  public:
    EnvOverride(const char* name, const QString& value);
    ~EnvOverride();
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// The folder of the shipped data files (catalogue, common-words files): LXT_TEST_DATA, else
// the test program's own folder, where the build copies them.
QString DataDir();
// True when the data files are there; otherwise says so on standard error.
bool DataFilesPresent();

}  // namespace lxt::test

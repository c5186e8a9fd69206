#include "support/folder_proc.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/temp_dir.h"
#include "support/disk_proc.h"
#include "support/str_proc.h"

namespace lxt {
namespace {

using test::TempDir;

// Points an environment variable elsewhere for the life of the object.
class EnvOverride {
  public:
    EnvOverride(const char* name, const QString& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ~EnvOverride() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(FolderExists, FoldersOnlyAndTrimmed) {
    TempDir dir;
    EXPECT_TRUE(FolderExists(dir.Path()));
    EXPECT_TRUE(FolderExists(QStringLiteral("  ") + dir.Path() + QStringLiteral(" ")));
    EXPECT_FALSE(FolderExists(dir.Write("file.txt", "x")));
    EXPECT_FALSE(FolderExists(dir.File("none")));
    EXPECT_FALSE(FolderExists(QString()));
}

TEST(DeleteFolderTree, DeletesEverythingInside) {
    TempDir dir;
    dir.Write("tree/a.txt", "a");
    dir.Write("tree/sub/b.txt", "b");
    QString error = QStringLiteral("stale");
    EXPECT_TRUE(DeleteFolderTree(dir.File("tree") + PathSeparator(), error, false));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.File("tree")));
}

TEST(DeleteFolderTree, MissingFolderGivesADescription) {
    TempDir dir;
    QString error;
    EXPECT_FALSE(DeleteFolderTree(dir.File("missing"), error, true));
    EXPECT_EQ(error, QStringLiteral("Path not found"));
}

TEST(DeleteFolderTree, ReadOnlyFilesNeedTheForceFlag) {
    TempDir dir;
    const QString file = dir.Write("tree/sub/locked.txt", "x");
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    QString error;
    EXPECT_FALSE(DeleteFolderTree(dir.File("tree"), error, false));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_TRUE(DeleteFolderTree(dir.File("tree"), error, true));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.File("tree")));
}

#ifndef Q_OS_WIN
TEST(SettingsFilePath, MakesTheSubFolderInTheConfigurationFolder) {
    TempDir dir;
    const QString config = dir.File("config");  // does not exist yet
    EnvOverride env("XDG_CONFIG_HOME", config);
    EXPECT_EQ(SpecialFolder(kSpecialFolderAppData), config);
    EXPECT_EQ(SettingsFilePath("lxt.usr", "LXT"), config + "/LXT/lxt.usr");
    EXPECT_TRUE(FolderExists(config + "/LXT"));
    EXPECT_TRUE(SpecialFolder(5).isEmpty());
}

TEST(SettingsFilePath, FallsBackToHomeConfig) {
    EnvOverride env("XDG_CONFIG_HOME", QString());
    EXPECT_EQ(SpecialFolder(kSpecialFolderAppData), QDir::homePath() + "/.config");
}

TEST(FirstFixedDrive, NoDriveLettersHere) {
    EXPECT_TRUE(FirstFixedDrive().isEmpty());
}

TEST(MakeTemporaryFolder, TakesTheFirstFreeNumber) {
    TempDir dir;
    EnvOverride env("TMPDIR", dir.Path());
    ASSERT_EQ(QDir::tempPath(), QDir(dir.Path()).canonicalPath());
    const QString base = QDir::tempPath() + "/LXT";
    const QString first = MakeTemporaryFolder("LXT", true);
    EXPECT_EQ(first, base + "001/");
    EXPECT_TRUE(FolderExists(first));
    EXPECT_EQ(MakeTemporaryFolder("LXT", true), base + "002/");
    // A file of that name takes the number too.
    dir.Write("LXT003", "x");
    EXPECT_EQ(MakeTemporaryFolder("LXT", false), base + "004");
    QDir(base + "001").removeRecursively();
    EXPECT_EQ(MakeTemporaryFolder("LXT", false), base + "001");
}

TEST(MakeTemporaryFolder, GivesUpWhenAllNumbersAreTaken) {
    TempDir dir;
    EnvOverride env("TMPDIR", dir.Path());
    for (int n = 1; n <= kTemporaryFolderLast; ++n) {
        dir.Write(QStringLiteral("T%1").arg(n, 3, 10, QChar(u'0')), "");
    }
    EXPECT_TRUE(MakeTemporaryFolder("T", true).isEmpty());
}
#endif

}  // namespace
}  // namespace lxt

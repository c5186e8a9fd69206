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

using test::EnvOverride;
using test::TempDir;

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

#endif

}  // namespace
}  // namespace lxt

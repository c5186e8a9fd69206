#include "support/private_temp_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>

#include <sys/stat.h>

#include "common/temp_dir.h"

namespace lxt {
namespace {

using test::EnvOverride;
using test::TempDir;

// Every folder made here goes into a test folder of its own, where leftovers are seen.
class PrivateTempFolderTest : public ::testing::Test {
  protected:
    TempDir base_;
    EnvOverride tmp_{"TMPDIR", base_.Path()};

    QStringList Leftovers() const {
        return QDir(base_.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
};

mode_t ModeOf(const QString& path) {
    struct stat info {};
    if (lstat(QFile::encodeName(path).constData(), &info) != 0) return 0;
    return info.st_mode & 07777;
}

TEST_F(PrivateTempFolderTest, PrivateUniqueAndRemovedWithTheObject) {
    QString first;
    {
        PrivateTempFolder one;
        PrivateTempFolder two;
        ASSERT_TRUE(one.IsValid()) << one.ErrorString().toStdString();
        ASSERT_TRUE(two.IsValid());
        first = one.Path();
        EXPECT_NE(one.Path(), two.Path());
        EXPECT_EQ(QFileInfo(first).dir().canonicalPath(), QDir(base_.Path()).canonicalPath());
        EXPECT_TRUE(QFileInfo(first).fileName().startsWith("LXT-"));
        EXPECT_EQ(ModeOf(first), 0700u);
        QDir().mkpath(one.FilePath("word"));
        QFile file(one.FilePath("word/document.xml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("text");
    }
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_TRUE(Leftovers().isEmpty()) << Leftovers().join(' ').toStdString();
}

TEST_F(PrivateTempFolderTest, RemovalForASignalEmptiesADeepAndWideTree) {
    PrivateTempFolder folder;
    ASSERT_TRUE(folder.IsValid());
    // More entries than one directory read returns, in folders three deep.
    QString deep = folder.FilePath("a/b/c");
    QDir().mkpath(deep);
    for (int i = 0; i < 300; ++i) {
        const QString name = QStringLiteral("file-with-a-rather-long-name-%1.txt").arg(i);
        QFile(folder.FilePath(name)).open(QIODevice::WriteOnly);
        QFile(deep + '/' + name).open(QIODevice::WriteOnly);
    }
    QFile::setPermissions(deep + "/file-with-a-rather-long-name-1.txt", QFileDevice::ReadOwner);
    RemovePrivateTempFoldersNow();
    EXPECT_FALSE(QFileInfo::exists(folder.Path()));
}

// The ending signals: the folder goes, and the program still ends by that signal.
class PrivateTempFolderSignalTest : public PrivateTempFolderTest,
                                    public ::testing::WithParamInterface<int> {};

TEST_P(PrivateTempFolderSignalTest, RemovedWhenTheProgramIsEndedBySignal) {
    const int signalNumber = GetParam();
    const QString record = base_.File("record");
    auto makeFolderAndDie = [&]() {
        PrivateTempFolder folder;
        QDir().mkpath(folder.FilePath("word"));
        QFile document(folder.FilePath("word/document.xml"));
        document.open(QIODevice::WriteOnly);
        document.write("<w:t>secret</w:t>");
        document.close();
        QFile file(record);
        file.open(QIODevice::WriteOnly);
        file.write(QFile::encodeName(folder.Path()));
        file.close();
        std::raise(signalNumber);
    };
    EXPECT_EXIT(makeFolderAndDie(), ::testing::KilledBySignal(signalNumber), "");
    const QByteArray path = TempDir::Read(record);
    ASSERT_FALSE(path.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QFile::decodeName(path)));
    EXPECT_EQ(Leftovers(), QStringList{"record"});
}

INSTANTIATE_TEST_SUITE_P(EndingSignals, PrivateTempFolderSignalTest,
                         ::testing::Values(SIGINT, SIGTERM, SIGHUP));

}  // namespace
}  // namespace lxt

#include "support/native_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdio>

#include "common/temp_dir.h"
#include "support/native_file_name.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace lxt {
namespace {

using test::TempDir;

#ifdef Q_OS_UNIX
// Makes a file by its bytes and gives its name as this program holds it.
QString MakeFile(const QByteArray& native, const QByteArray& bytes) {
    std::FILE* file = std::fopen(native.constData(), "w");
    if (file == nullptr) return {};
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), file);
    std::fclose(file);
    return DecodeFileName(native);
}

// A relative name that is not UTF-8 is made absolute, tested, read and written by its bytes.
TEST(NativeFileTest, ANameThatIsNotUtf8IsItsOwnFile) {
    TempDir dir;
    const QByteArray folder = QFile::encodeName(dir.Path());
    const QString name = MakeFile(folder + "/in\xff.txt", "twelve bytes");
    const QString before = CurrentFolder();
    ASSERT_TRUE(SetCurrentFolder(dir.Path()));
    const QString relative = DecodeFileName("in\xff.txt");
    EXPECT_EQ(AbsoluteFilePath(relative), name);
    EXPECT_EQ(AbsoluteFolderOf(relative), dir.Path());
    EXPECT_EQ(CanonicalFilePath(relative), CanonicalFilePath(name));
    const PathInfo info = InfoOfPath(relative);
    EXPECT_TRUE(info.exists && info.isRegular && !info.isSpecial);
    EXPECT_EQ(info.size, 12);
    QFile file;
    ASSERT_TRUE(OpenFile(file, relative, QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("twelve bytes"));
    file.close();
    ASSERT_TRUE(OpenFile(file, relative, QIODevice::WriteOnly | QIODevice::Append));
    file.write("!");
    file.close();
    ASSERT_TRUE(OpenFile(file, relative, QIODevice::WriteOnly));  // empties it
    file.close();
    EXPECT_EQ(InfoOfPath(name).size, 0);
    EXPECT_TRUE(RemoveFile(relative));
    EXPECT_FALSE(InfoOfPath(name).exists);
    errno = 0;
    EXPECT_FALSE(OpenFile(file, relative, QIODevice::ReadOnly));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_TRUE(QDir(dir.Path()).isEmpty());
    SetCurrentFolder(before);
}

// The name a Qt dialog gives back for a file whose name is not UTF-8 finds that file when
// no other is shown alike.
TEST(NativeFileTest, ANameShownWithReplacementCharactersFindsItsFile) {
    TempDir dir;
    const QByteArray folder = QFile::encodeName(dir.Path()) + '/';
    const QString odd = MakeFile(folder + "odd\xff.txt", "x");
    MakeFile(folder + "twin\xfe.txt", "x");
    MakeFile(folder + "twin\xfd.txt", "x");
    const QString plain = MakeFile(folder + "plain\xEF\xBF\xBD.txt", "x");
    struct Case {
        const char* what;
        QString given;
        QString found;
    };
    const QString gone = dir.File(QString::fromUtf8("gone\xEF\xBF\xBD.txt"));
    const QString twin = dir.File(QString::fromUtf8("twin\xEF\xBF\xBD.txt"));
    const Case cases[] = {
        {"one file shown so", QFile::decodeName(folder + "odd\xff.txt"), odd},
        {"a real U+FFFD in the name", plain, plain},
        {"two files shown alike", twin, twin},
        {"no such file", gone, gone},
        {"an ordinary name", dir.File(QStringLiteral("x.txt")), dir.File(QStringLiteral("x.txt"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FileShownAs(c.given), c.found);
    }
    for (const char* name : {"odd\xff.txt", "twin\xfe.txt", "twin\xfd.txt"}) {
        ::unlink((folder + name).constData());
    }
}
#endif

}  // namespace
}  // namespace lxt

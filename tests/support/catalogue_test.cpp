#include "support/catalogue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include "common/temp_dir.h"

namespace lxt {
namespace {

using test::TempDir;

int LoadText(const TempDir& dir, const QByteArray& bytes) {
    return LoadCatalogue(dir.Write("lxt.dat", bytes));
}

TEST(Catalogue, PathBesideTheProgramWithoutADoubledSeparator) {
#ifdef Q_OS_WIN
    EXPECT_EQ(CataloguePath("C:\\"), QStringLiteral("C:\\lxt.dat"));
    EXPECT_EQ(CataloguePath("C:\\Programs\\LXT"), QStringLiteral("C:\\Programs\\LXT\\lxt.dat"));
#else
    EXPECT_EQ(CataloguePath("/"), QStringLiteral("/lxt.dat"));
    EXPECT_EQ(CataloguePath("/opt/lxt"), QStringLiteral("/opt/lxt/lxt.dat"));
    EXPECT_EQ(CataloguePath("/opt/lxt/"), QStringLiteral("/opt/lxt/lxt.dat"));
#endif
}

TEST(Catalogue, FetchesTextsByNumberAndLanguage) {
    TempDir dir;
    const int loaded = LoadText(dir,
                                "# comment\n"
                                "\n"
                                "1\t0\tOne\\nTwo\r\n"
                                "2\t0\t~\n"
                                "1\t1\tEins\n"
                                "3\t0\tC:\\\\lxt \\t tab \\x\n");
    EXPECT_EQ(loaded, 4);
    SetCurrentLanguage(kLanguageEnglish);
    EXPECT_EQ(Message(1), QStringLiteral("One\r\nTwo"));
    EXPECT_EQ(Message(2), QString());
    EXPECT_EQ(Message(3), QStringLiteral("C:\\lxt \t tab \\x"));
    EXPECT_EQ(Message(4), QString());
    SetCurrentLanguage(kLanguageSecond);
    EXPECT_EQ(CurrentLanguage(), kLanguageSecond);
    EXPECT_EQ(Message(1), QStringLiteral("Eins"));
    EXPECT_EQ(Message(2), QString());
    SetCurrentLanguage(kLanguageEnglish);
    // A byte-order mark written by an editor is not part of the first line.
    EXPECT_EQ(LoadText(dir,
                       "\xEF\xBB\xBF"
                       "5\t0\tfive\n"),
              1);
    EXPECT_EQ(Message(5), QStringLiteral("five"));
}

TEST(Catalogue, LoadFailuresCarryTheirLineNumbers) {
    TempDir dir;
    const QByteArray longText(kMessageBufferLength + 1, 'x');
    EXPECT_EQ(LoadText(dir, "# a\n1\t0\tone\n1\t0\tagain\n"), -1503);
    EXPECT_EQ(LoadText(dir, "1\t0\tone\n2\t0\t" + longText + "\n"), -1002);
    EXPECT_EQ(LoadText(dir, "1\t0\t" + QByteArray(kMessageBufferLength, 'x') + "\n"), 1);
    EXPECT_EQ(Message(1).size(), kMessageBufferLength);
    EXPECT_EQ(LoadText(dir, "1\t0\tone\n\n\n4\t0\t\n"), -504);
    EXPECT_EQ(LoadText(dir, "1\t0\n"), -501);
    EXPECT_EQ(LoadText(dir, "x\t0\tone\n"), -501);
    EXPECT_EQ(LoadText(dir, "1\t3\tone\n"), -501);
    EXPECT_EQ(LoadText(dir, "# only comments\n"), 0);
    EXPECT_EQ(LoadText(dir, ""), kCatalogueEmptyFile);
    EXPECT_EQ(LoadText(dir, "1\t0\t\xFF\xFE\n"), kCatalogueReadError);
    EXPECT_EQ(LoadCatalogue(dir.File("missing.dat")), kCatalogueCannotOpen);
    EXPECT_EQ(LoadText(dir, QByteArray("#\n").repeated(kCatalogueMaxLines + 1)),
              kCatalogueTooMuchText);
    // A failed load leaves nothing loaded.
    EXPECT_EQ(Message(1), QString());
}

TEST(Catalogue, FailureTexts) {
    EXPECT_EQ(CatalogueFailureText(-1237, ""), QStringLiteral("String too long at line 237."));
    EXPECT_EQ(CatalogueFailureText(-1700, ""),
              QStringLiteral("Duplicate in program text at line 200."));
    EXPECT_EQ(CatalogueFailureText(-600, ""), QStringLiteral("Missing string at line 100."));
    EXPECT_EQ(CatalogueFailureText(-20, ""), QStringLiteral("Error -20"));
    EXPECT_EQ(CatalogueFailureText(-5, ""), QStringLiteral("Error -5"));
    EXPECT_EQ(CatalogueFailureText(-500, ""), QStringLiteral("Error -500"));
    EXPECT_EQ(CatalogueFailureText(-501, ""), QStringLiteral("Missing string at line 1."));
    EXPECT_EQ(CatalogueFailureText(-1000, ""), QStringLiteral("Missing string at line 500."));
    EXPECT_EQ(CatalogueFailureText(-1001, ""), QStringLiteral("String too long at line 1."));
    EXPECT_EQ(CatalogueFailureText(-1500, ""), QStringLiteral("String too long at line 500."));
    EXPECT_EQ(CatalogueFailureText(-1501, ""),
              QStringLiteral("Duplicate in program text at line 1."));
    EXPECT_EQ(CatalogueFailureText(0, ""), QStringLiteral("No program text was read."));
    EXPECT_EQ(CatalogueFailureText(-1, "/opt/lxt/lxt.dat"),
              QStringLiteral("Cannot open file containing program text.\r\n/opt/lxt/lxt.dat"));
    EXPECT_EQ(CatalogueFailureText(-2, ""), QStringLiteral("Particular memory allocation error."));
    EXPECT_EQ(CatalogueFailureText(-3, ""), QStringLiteral("Too much program text."));
    EXPECT_EQ(CatalogueFailureText(-4, ""), QStringLiteral("Text not recovered."));
    EXPECT_EQ(CatalogueFailureText(-6, ""), QStringLiteral("File is empty."));
    EXPECT_EQ(CatalogueFailureText(-7, ""), QStringLiteral("Error reading file."));
    EXPECT_EQ(CatalogueFailureText(-8, ""), QStringLiteral("General memory allocation error."));
}

TEST(Catalogue, ShippedCatalogueHoldsEveryMessageTheProgramFetches) {
    const QString path = CataloguePath(test::DataDir());
    ASSERT_GT(LoadCatalogue(path), 0)
        << CatalogueFailureText(LoadCatalogue(path), path).toStdString();
    SetCurrentLanguage(kLanguageEnglish);
    for (int n : {14, 15, 19, 20, 21, 22, 23, 27, 30, 31, 32, 33, 34, 40,
                  42, 50, 60, 61, 62, 63, 73, 74, 75, 76, 77, 78, 79, 310}) {
        EXPECT_FALSE(Message(n).isEmpty()) << n;
    }
    EXPECT_EQ(Message(73), QStringLiteral("Count words"));
    EXPECT_EQ(Message(74), QStringLiteral("Stop"));
    EXPECT_EQ(Message(310), QStringLiteral("LXT"));
    EXPECT_TRUE(QFile::exists(QDir(test::DataDir()).filePath(Message(15))));
    EXPECT_TRUE(Message(14).startsWith(Message(15) + u'#'));
}

// A test binary started where it finds no data files says so and stops.
TEST(Catalogue, TestsStartedWithoutTheDataFilesStopWithAMessage) {
    test::TempDir empty;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LXT_TEST_DATA"), empty.Path());
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Catalogue.*"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("The test data files are missing"));
}

}  // namespace
}  // namespace lxt

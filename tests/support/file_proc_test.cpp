#include "support/file_proc.h"
#include "support/error_numbers.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>

#include "common/temp_dir.h"

namespace lxt {
namespace {

using test::TempDir;

QString U(const char16_t* s) {
    return QString::fromUtf16(s);
}

void MakeReadOnly(const QString& path) {
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
}

TEST(FileExists, FilesOnly) {
    TempDir dir;
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir.File("missing.txt")));
    EXPECT_TRUE(FileExists(dir.Write("a.txt", "a")));
}

TEST(DeleteFile, MissingAndOrdinaryFiles) {
    TempDir dir;
    EXPECT_TRUE(DeleteFile(dir.File("missing.txt"), false, false, false));
    const QString plain = dir.Write("plain.txt", "x");
    const QString hidden = dir.Write(".hidden", "x");
    EXPECT_TRUE(DeleteFile(plain, false, false, false));
    EXPECT_TRUE(DeleteFile(hidden, true, true, true));
    EXPECT_FALSE(QFile::exists(plain));
    EXPECT_FALSE(QFile::exists(hidden));
}

TEST(DeleteFile, ReadOnlyFileIsDeletedWhenItsFlagIsCleared) {
    TempDir dir;
    const QString path = dir.Write(".locked.txt", "x");
    MakeReadOnly(path);
    EXPECT_TRUE(DeleteFile(path, true, true, false));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(DeleteFile, ReadOnlyFileIsKeptAfterFourAttempts) {
    TempDir dir;
    const QString path = dir.Write("locked.txt", "x");
    MakeReadOnly(path);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(DeleteFile(path, true, false, true));
    EXPECT_GE(timer.elapsed(), kDeleteRetries * kDeleteRetryWaitMs - 100);
    EXPECT_TRUE(QFile::exists(path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

struct ReadResult {
    QString text;
    QString description;
    int number = -1;
    int count = -1;
};

ReadResult Read(const QString& path, bool skipEmpty, int maxLines, bool pairs = false,
                bool full = false, bool blank = false, bool slash = false) {
    ReadResult r;
    r.text = ReadFirstLines(path, r.description, r.number, r.count, skipEmpty, maxLines, pairs,
                            full, blank, slash);
    return r;
}

TEST(ReadFirstLines, SkipsEmptyLinesAndStopsAtTheMaximum) {
    TempDir dir;
    QByteArray bytes;
    QStringList expected;
    for (int i = 1; i <= 20; ++i) {
        if (i % 4 == 0) {
            bytes += "\r\n";  // 5 blank lines among the 20
        } else {
            bytes += "line " + QByteArray::number(i) + "\r\n";
            if (expected.size() < 10) expected << QStringLiteral("line %1").arg(i);
        }
    }
    const QString path = dir.Write("twenty.txt", bytes);
    const ReadResult r = Read(path, true, 10);
    EXPECT_EQ(r.text, expected.join(QStringLiteral("\r\n")));
    EXPECT_EQ(r.count, 10);
    EXPECT_EQ(r.number, 0);
    EXPECT_TRUE(r.description.isEmpty());

    const ReadResult withBlanks = Read(path, false, 4);
    EXPECT_EQ(withBlanks.text, QStringLiteral("line 1\r\nline 2\r\nline 3\r\n"));
    EXPECT_EQ(withBlanks.count, 4);
}

TEST(ReadFirstLines, LineEndsAndJoins) {
    TempDir dir;
    // CR, LF and CR LF all end a line, mixed in one file.
    const QString path = dir.Write("ends.txt", "one\rtwo\nstill two\r\nthree");
    EXPECT_EQ(Read(path, false, 0).text, QStringLiteral("one\r\ntwo\r\nstill two\r\nthree"));
    EXPECT_EQ(Read(path, false, 0).count, 4);
    EXPECT_EQ(Read(path, false, 0, false, false, true).text,
              QStringLiteral("one two still two three"));
    EXPECT_EQ(Read(path, false, 2, false, false, false, true).text, QStringLiteral("one / two"));
    EXPECT_EQ(Read(dir.Write("lf.txt", "a\n\nb\n"), true, 0).text, QStringLiteral("a\r\nb"));
    EXPECT_EQ(Read(dir.Write("empty.txt", ""), false, 0).count, 0);
    EXPECT_EQ(Read(dir.Write("end.txt", "a\r\n\r\n"), false, 0).text, QStringLiteral("a\r\n"));
}

TEST(ReadFirstLines, Utf8Repairs) {
    TempDir dir;
    const QString path = dir.Write("utf8.txt", "caf\xC3\xA9 don\xE2\x80\x99t");
    EXPECT_EQ(Read(path, false, 0).text, U(u"cafÃ© donâ€™t"));
    EXPECT_EQ(Read(path, false, 0, true).text, U(u"café donâ€™t"));
    EXPECT_EQ(Read(path, false, 0, true, true).text, U(u"café don't"));
}

TEST(ReadFirstLines, MissingFileGivesAnError) {
    TempDir dir;
    const ReadResult r = Read(dir.File("missing.txt"), false, 0);
    EXPECT_TRUE(r.text.isEmpty());
    EXPECT_EQ(r.number, kErrFileNotFound);
    EXPECT_FALSE(r.description.isEmpty());
    EXPECT_EQ(r.count, 0);
}

const QString kCodes = QStringLiteral("en_de_es_pt_it_fr");

TEST(GuessLanguage, FromTheLanguageAttribute) {
    TempDir dir;
    EXPECT_EQ(
        GuessLanguage(dir.Write("de.htm", "<html LANG=\"DE\">\r\n<p>Hallo</p>"), kCodes, "en"),
        QStringLiteral("de"));
    EXPECT_EQ(GuessLanguage(dir.Write("pt.xml", "<doc xml:lang=\"pt-BR\">ola</doc>"), kCodes, "en"),
              QStringLiteral("pt"));
    EXPECT_EQ(
        GuessLanguage(dir.Write("it.htm", "<meta http-equiv=\"content-language\" content=\"it\">"),
                      kCodes, "en"),
        QStringLiteral("it"));
    // A code that is not supported falls through to the letters, then the default.
    EXPECT_EQ(GuessLanguage(dir.Write("nl.htm", "<html lang=\"nl\">"), kCodes, "en"),
              QStringLiteral("en"));
    // "e_" occurs in the codes but is no code of them.
    EXPECT_EQ(GuessLanguage(dir.Write("odd.htm", "<html lang=\"e_\">"), kCodes, "en"),
              QStringLiteral("en"));
}

TEST(GuessLanguage, FromTheLetters) {
    TempDir dir;
    EXPECT_EQ(GuessLanguage(dir.Write("de.txt",
                                      "Sch\xF6ne Gr\xFC\xDF"
                                      "e aus K\xE4ln"),
                            kCodes, "en"),
              QStringLiteral("de"));
    EXPECT_EQ(
        GuessLanguage(dir.Write("de8.txt", "utf-8: \xC3\xA4 \xC3\xB6 \xC3\xBC"), kCodes, "en"),
        QStringLiteral("de"));
    EXPECT_EQ(GuessLanguage(dir.Write("fr.txt",
                                      "\xE0 la for\xEAt, o\xF9 \xE7"
                                      "a"),
                            kCodes, "en"),
              QStringLiteral("fr"));
    EXPECT_EQ(GuessLanguage(dir.Write("es.txt",
                                      "ni\xF1o a\xF1o ma\xF1"
                                      "ana"),
                            kCodes, "en"),
              QStringLiteral("es"));
    EXPECT_EQ(GuessLanguage(dir.Write("en.txt", "Plain English text.\r\nNa\xEFve."), kCodes, "en"),
              QStringLiteral("en"));
    EXPECT_EQ(GuessLanguage(dir.File("missing.txt"), kCodes, "xx"), QStringLiteral("xx"));
}

TEST(GuessLanguage, MarkupIsNotCountedInHtmlFiles) {
    TempDir dir;
    const QByteArray page = "<p title=\"\xE4\xF6\xFC\">plain</p><!-- \xE4\xF6\xFC -->";
    EXPECT_EQ(GuessLanguage(dir.Write("page.html", page), kCodes, "en"), QStringLiteral("en"));
    EXPECT_EQ(GuessLanguage(dir.Write("page.txt", page), kCodes, "en"), QStringLiteral("de"));
    // Script and style blocks are markup too; the letters of named entities are text.
    const QByteArray blocks =
        "<script>var s = '\xE4\xF6\xFC';</script><STYLE>p:after{content:'\xE4\xF6\xFC'}"
        "</style><p>plain</p>";
    EXPECT_EQ(GuessLanguage(dir.Write("blocks.htm", blocks), kCodes, "en"), QStringLiteral("en"));
    const QByteArray entities = "<p>Sch&ouml;ne Gr&uuml;&szlig;e</p>";
    EXPECT_EQ(GuessLanguage(dir.Write("entities.htm", entities), kCodes, "en"),
              QStringLiteral("de"));
}

}  // namespace
}  // namespace lxt

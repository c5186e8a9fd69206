#include "input/is_text_file.h"

#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <QFile>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "input/docx_builder.h"
#include "input/utf8_detection.h"

namespace lxt {
namespace {

using test::ScriptedUi;
using test::TempDir;

struct Inspection {
    bool ok = false;
    bool utf8 = false;
    int code = -100;
};

Inspection Inspect(ScriptedUi& ui, const QString& path, bool silent = false) {
    Inspection r;
    r.ok = InspectInputFile(ui, path, silent, r.utf8, r.code);
    return r;
}

// A Unix-type text of exactly `size` bytes.
QByteArray UnixText(qsizetype size) {
    QByteArray line = "some words on a line\n";
    QByteArray text;
    while (text.size() + line.size() <= size) text += line;
    text += QByteArray(size - text.size(), 'x');
    return text;
}

class FileInspectionTest : public ::testing::Test {
  protected:
    void SetUp() override { ClearMacintoshMessageShown(); }
    TempDir dir;
    ScriptedUi ui;
};

TEST_F(FileInspectionTest, TinyFilesAreRefusedAndFiveBytesPass) {
    const QString three = dir.Write("three.txt", "abc");
    EXPECT_EQ(HeaderTest(three), kCodeTiny);
    ui.Expect("contains only from 1 to 4 bytes.");
    const Inspection r = Inspect(ui, three);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, kCodeTiny);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "File " + three + "\r\ncontains only from 1 to 4 bytes.");
    EXPECT_EQ(ui.shown[0].title, "Fatal error");
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Information);

    const QString five = dir.Write("five.txt", "abcde");
    EXPECT_EQ(HeaderTest(five), kHeaderNone);
    EXPECT_TRUE(Inspect(ui, five).ok);
}

TEST_F(FileInspectionTest, MissingEmptyAndUnnamedFiles) {
    EXPECT_EQ(HeaderTest(QString()), kCodeEmptyName);
    Inspection r = Inspect(ui, QString());  // silently refused
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, kCodeEmptyName);

    const QString missing = dir.File("missing.txt");
    ui.Expect(" not found.");
    r = Inspect(ui, missing);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(ui.shown.back().text, "File " + missing + " not found.");

    const QString empty = dir.Write("empty.txt", "");
    ui.Expect(" is zero-length.");
    EXPECT_FALSE(Inspect(ui, empty, true).ok);  // silent does not hide refusals
    EXPECT_EQ(ui.shown.back().text, "File " + empty + " is zero-length.");

    // A folder is not a file.
    EXPECT_EQ(HeaderTest(dir.Path()), kCodeNotFound);
}

// Permissions do not bind the superuser; as root, file access is checked as the
// unprivileged user "nobody" while the object lives (the file-system user id is per thread).
class FileAccessAsNobody {
  public:
    FileAccessAsNobody() : previous_(geteuid() == 0 ? setfsuid(kNobody) : -1) {}
    ~FileAccessAsNobody() {
        if (previous_ >= 0) setfsuid(static_cast<uid_t>(previous_));
    }

  private:
    static constexpr uid_t kNobody = 65534;
    int previous_;
};

TEST_F(FileInspectionTest, PermissionDeniedIsMinusThree) {
    const QString locked = dir.Write("locked.txt", "some text here\r\n");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    // The folder stays searchable, so the file is found but cannot be read.
    QFile::setPermissions(dir.Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther);
    FileAccessAsNobody asNobody;
    EXPECT_EQ(HeaderTest(locked), kCodePermissionDenied);
    ui.Expect("cannot be opened (permission denied).");
    EXPECT_FALSE(Inspect(ui, locked).ok);
    EXPECT_EQ(ui.shown.back().text,
              "File " + locked + "\r\n cannot be opened (permission denied).");
}

TEST_F(FileInspectionTest, RtfIsRefusedWhateverItsExtension) {
    const QString rtf = dir.Write("letter.txt", "{\\rtf1\\ansi hello}");
    EXPECT_EQ(HeaderTest(rtf), kCodeRtf);
    ui.Expect("is an RTF file.");
    EXPECT_FALSE(Inspect(ui, rtf).ok);
    // Not quite the signature: an ordinary text.
    const QString near = dir.Write("near.txt", "{\\RTF1 hello}");
    EXPECT_EQ(HeaderTest(near), kHeaderNone);
}

TEST_F(FileInspectionTest, UnicodeHeaders) {
    EXPECT_EQ(HeaderTest(dir.Write("le.txt", QByteArray("\xFF\xFEh\0i\0", 6))), kHeaderUtf16LE);
    EXPECT_EQ(HeaderTest(dir.Write("be.txt", QByteArray("\xFE\xFF\0h\0i", 6))), kHeaderUtf16BE);
    EXPECT_EQ(HeaderTest(dir.Write("b32.txt", QByteArray("\0\0\xFE\xFF\0\0\0h", 8))),
              kHeaderUtf32BE);
    const QString le = dir.Write("le2.txt", QByteArray("\xFF\xFEh\0i\0", 6));
    ui.Expect("is a Unicode file but not UTF-8 encoded.");
    const Inspection r = Inspect(ui, le);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, kTextOtherUnicode);
}

TEST_F(FileInspectionTest, Utf8WithByteOrderMarkIsAcceptedWithoutLineEndMessages) {
    // LF-only, yet a UTF-8 file with a mark is code 1 with no message.
    const QString path = dir.Write("bom.txt", "\xEF\xBB\xBF" + UnixText(300000));
    const Inspection r = Inspect(ui, path);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.utf8);
    EXPECT_EQ(r.code, kTextWindows);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FileInspectionTest, CharsetDeclarationInTheFirstTenLines) {
    // Windows-1252 letters: not UTF-8 without a declaration.
    const QByteArray accented = "caf\xE9 na\xEFve\r\n";
    const QString plain = dir.Write("plain.txt", accented + accented);
    Inspection r = Inspect(ui, plain);
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.utf8);

    const QString html = dir.Write(
        "page.html", "<!DOCTYPE html>\r\n\r\n<html><head>\r\n<meta charset=UTF-8>\r\n" + accented);
    r = Inspect(ui, html);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.utf8);

    const QString quoted =
        dir.Write("quoted.htm", "<meta content=\"text/html; charset=\"UTF-8\"\">\r\n");
    EXPECT_EQ(HeaderTest(quoted), kHeaderUtf8);
    // Case-sensitive: a lower-case declaration does not count.
    EXPECT_EQ(HeaderTest(dir.Write("lower.html", "<meta charset=utf-8>\r\n")), kHeaderNone);
    // Only for known text extensions.
    EXPECT_EQ(HeaderTest(dir.Write("page.php", "<meta charset=UTF-8>\r\n")), kHeaderNone);
    // Empty lines are not counted; the 11th non-empty line is not read.
    QByteArray ten;
    for (int i = 0; i < 10; ++i) ten += "line\r\n\r\n";
    EXPECT_EQ(HeaderTest(dir.Write("late.txt", ten + "charset=UTF-8\r\n")), kHeaderNone);
    QByteArray nine;
    for (int i = 0; i < 9; ++i) nine += "line\r\n\r\n";
    EXPECT_EQ(HeaderTest(dir.Write("tenth.txt", nine + "charset=UTF-8\r\n")), kHeaderUtf8);
    // LF and a lone CR end lines as CR LF does: the 11th non-empty line is not read.
    EXPECT_EQ(HeaderTest(dir.Write("lf.txt", "a\nb\nc\n<meta charset=UTF-8>")), kHeaderUtf8);
    QByteArray mixed;
    for (int i = 0; i < 10; ++i) mixed += i % 2 == 0 ? "line\n\n" : "line\r\r";
    EXPECT_EQ(HeaderTest(dir.Write("mixed.txt", mixed + "charset=UTF-8\n")), kHeaderNone);
    EXPECT_EQ(HeaderTest(dir.Write("ninth.txt", mixed.left(mixed.size() - 6) + "charset=UTF-8")),
              kHeaderUtf8);
}

TEST_F(FileInspectionTest, Utf8WithoutByteOrderMarkIsDetectedFromTheWholeFile) {
    struct Case {
        const char* name;
        QByteArray bytes;
        bool utf8;
        int code;
    };
    const QByteArray ascii = UnixText(40000);
    const Case cases[] = {
        {"german.txt",
         "\xC3\xBC"
         "ber Stra\xC3\x9F"
         "e\n" +
             ascii,
         true, kTextUnix},
        // The only multi-byte sequence lies far beyond the sample.
        {"late.txt", ascii + "caf\xC3\xA9\r\n", true, kTextUnix},
        {"four.txt", "a \xF0\x9F\x98\x80 b\r\nc\r\n", true, kTextWindows},
        // Plain ASCII is not told to be UTF-8.
        {"ascii.txt", ascii, false, kTextUnix},
        // One invalid byte anywhere, or a sequence cut off by the end, makes it ANSI.
        {"invalid.txt",
         "\xC3\xBC"
         "ber\n" +
             ascii + "caf\xE9\n",
         false, kTextUnix},
        {"cut.txt",
         "\xC3\xBC"
         "ber\n" +
             ascii + "\xE2\x80",
         false, kTextUnix},
        // Overlong forms and surrogate halves are not UTF-8.
        {"overlong.txt", "ab \xC0\xAF cd\n", false, kTextUnix},
        {"surrogate.txt", "ab \xED\xA0\x80 cd\n", false, kTextUnix},
        {"above.txt", "ab \xF4\x90\x80\x80 cd\n", false, kTextUnix},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Inspection r = Inspect(ui, dir.Write(c.name, c.bytes));
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.utf8, c.utf8);
        EXPECT_EQ(r.code, c.code);
    }
    EXPECT_TRUE(ui.shown.empty());
}

TEST(Utf8CheckerTest, SequencesCutBetweenPieces) {
    const QByteArray text = "x \xE2\x82\xAC y \xF0\x9F\x98\x80";
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        Utf8Checker checker;
        EXPECT_NE(checker.Feed(QByteArrayView(text).first(cut)), Utf8Verdict::Invalid);
        EXPECT_NE(checker.Feed(QByteArrayView(text).sliced(cut)), Utf8Verdict::Invalid);
        EXPECT_EQ(checker.Finish(), Utf8Verdict::MultiByte) << cut;
    }
    Utf8Checker cutOff;
    EXPECT_EQ(cutOff.Feed(text.left(3)), Utf8Verdict::MultiByte);
    EXPECT_EQ(cutOff.Finish(), Utf8Verdict::Invalid);
    Utf8Checker stray;
    EXPECT_EQ(stray.Feed("abcdefghijklmnop\x80"), Utf8Verdict::Invalid);
    EXPECT_EQ(stray.Feed("abc"), Utf8Verdict::Invalid);
}

TEST_F(FileInspectionTest, XmlBeginningWithLessThanIsUtf8) {
    EXPECT_EQ(HeaderTest(dir.Write("doc.xml", "<root>text</root>")), kHeaderUtf8);
    EXPECT_EQ(HeaderTest(dir.Write("wide.xml", QByteArray("<\0r\0o\0", 6))), kHeaderUtf16LE);
    EXPECT_EQ(HeaderTest(dir.Write("big.xml", QByteArray("\0<\0r\0o", 6))), kHeaderUtf16BE);
    EXPECT_EQ(HeaderTest(dir.Write("doc.txt", "<root>text</root>")), kHeaderNone);
}

TEST_F(FileInspectionTest, NulInsideAndOutsideTheSample) {
    QByteArray text(30000, 'a');
    for (qsizetype i = 50; i < text.size(); i += 60) text[i] = '\n';
    QByteArray early = text;
    early[99] = '\0';  // byte 100
    const QString bad = dir.Write("early.txt", early);
    ui.Expect("is not an ANSI or UTF-8 encoded text file.");
    const Inspection r = Inspect(ui, bad);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, kTextNotText);
    EXPECT_EQ(ui.shown.back().title, "Not a text file");
    EXPECT_EQ(ui.shown.back().text,
              bad +
                  "\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt appears to be a binary "
                  "file.\r\n\r\nYou could try reading it using its associated application, "
                  "then copying the text and pasting it into the textbox (then copy it to the "
                  "clipboard and select 'Clipboard' as the source).");

    QByteArray late = text;
    late[19999] = '\0';  // byte 20,000, beyond the sample
    EXPECT_TRUE(Inspect(ui, dir.Write("late.txt", late)).ok);
}

TEST_F(FileInspectionTest, TextTestStopsEarlyAndReportsThePercentage) {
    QByteArray text(16384, 'a');
    text[99] = '\x01';
    const QString path = dir.Write("ctl.txt", text);
    quint8 byte = 0;
    qint32 position = 0;
    double percentage = 0;
    bool utf8 = false;
    EXPECT_EQ(TextTest(path, kSampleSize, byte, position, 0.0, percentage, utf8, true),
              kTextNotText);
    EXPECT_EQ(byte, 1);
    EXPECT_EQ(position, 100);
    // Decided at the first position above one fifth of the sample: 3,277.
    EXPECT_DOUBLE_EQ(percentage, 100.0 / 3277.0);

    // With the threshold of a docx's text, one control character in the sample is text.
    EXPECT_EQ(TextTest(path, kSampleSize, byte, position, 1.0, percentage, utf8, true),
              kTextWindows);
    EXPECT_DOUBLE_EQ(percentage, 100.0 / 16384.0);

    // A large file of control bytes: the early stop gives the percentage at that moment.
    QByteArray binary(100000, '\x02');
    const QString bin = dir.Write("bin.dat", binary);
    ui.Expect("It appears to be a binary file.");
    Inspection r = Inspect(ui, bin);
    EXPECT_FALSE(r.ok);
    // No advice for a file of 102,400 bytes or more.
    EXPECT_FALSE(ui.shown.back().text.contains("You could try"));
    const QString bigBin = dir.Write("big.dat", QByteArray(102400, '\x02'));
    ui.Expect("It appears to be a binary file.");
    Inspect(ui, bigBin);
    EXPECT_FALSE(ui.shown.back().text.contains("You could try"));
    // High percentage: no advice either.
    const QString smallBin = dir.Write("small.dat", QByteArray(2000, '\x02'));
    ui.Expect("It appears to be a binary file.");
    Inspect(ui, smallBin);
    EXPECT_FALSE(ui.shown.back().text.contains("You could try"));
}

TEST_F(FileInspectionTest, FormFeedsTabsAndBackspacesAreText) {
    const QString path = dir.Write("ff.txt", "one\ttwo\fthree\bfour\r\nfive\r\n");
    const Inspection r = Inspect(ui, path);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.code, kTextWindows);
}

TEST_F(FileInspectionTest, LineEndingKinds) {
    EXPECT_EQ(Inspect(ui, dir.Write("none.txt", QByteArray(20000, 'w'))).code, kTextWindows);
    EXPECT_EQ(Inspect(ui, dir.Write("unix.txt", "a b\nc d\n")).code, kTextUnix);
    EXPECT_EQ(Inspect(ui, dir.Write("win.txt", "a b\r\nc d\r\n")).code, kTextWindows);
    // Line ends beyond the sample do not count.
    QByteArray beyond(kSampleSize, 'w');
    EXPECT_EQ(Inspect(ui, dir.Write("beyond.txt", beyond + "\n")).code, kTextWindows);
}

TEST_F(FileInspectionTest, UnixFilesAreOrdinaryAtAnySize) {
    // Neither warned about nor refused, before a count, from the file box or silently.
    for (const qsizetype size :
         {qsizetype(256000), qsizetype(300000), qsizetype(512001), qsizetype(2000000)}) {
        const QString path = dir.Write("unix.txt", UnixText(size));
        for (const bool silent : {false, true}) {
            const Inspection r = Inspect(ui, path, silent);
            EXPECT_TRUE(r.ok) << size;
            EXPECT_EQ(r.code, kTextUnix) << size;
        }
    }
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FileInspectionTest, MacintoshMessageOnlyOnce) {
    const QString path = dir.Write("mac.txt", "one line\rtwo line\r");
    ui.Expect("has Macintosh-type line endings (CR).");
    Inspection r = Inspect(ui, path);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.code, kTextMacintosh);
    EXPECT_EQ(ui.shown.back().title, "This is a Mac-style text file");
    EXPECT_TRUE(Inspect(ui, path).ok);
    EXPECT_EQ(ui.shown.size(), 1u);
    // Silent does not use up the message; clearing the flag shows it again.
    ClearMacintoshMessageShown();
    EXPECT_TRUE(Inspect(ui, path, true).ok);
    EXPECT_FALSE(MacintoshMessageShown());
    ui.Expect("has Macintosh-type line endings (CR).");
    EXPECT_TRUE(Inspect(ui, path).ok);
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(FileInspectionTest, DocxAndZipSignatureTests) {
    const QString docx = dir.File("Report.DOCX");
    ASSERT_TRUE(test::WriteDocx(docx, "<w:document><w:t>Hi</w:t></w:document>"));
    EXPECT_EQ(ZipSignature(docx), 1);
    EXPECT_TRUE(IsDocxFile(docx));
    const QString fake = dir.Write("fake.docx", "This is only a text file.\r\n");
    EXPECT_EQ(ZipSignature(fake), 0);
    EXPECT_FALSE(IsDocxFile(fake));
    const QString zip = dir.File("archive.zip");
    ASSERT_TRUE(QFile::copy(docx, zip));
    EXPECT_FALSE(IsDocxFile(zip));
    EXPECT_EQ(ZipSignature(dir.File("nothing.docx")), -1);
    EXPECT_EQ(ZipSignature(dir.Write("short.docx", "PK\x03\x04xyz")), 0);  // under 10 bytes
}

TEST_F(FileInspectionTest, SizeTexts) {
    EXPECT_EQ(SizeText(0), "0 bytes");
    EXPECT_EQ(SizeText(980), "980 bytes");
    EXPECT_EQ(SizeText(1023), "1023 bytes");
    EXPECT_EQ(SizeText(1024), "1.00 Kb");
    EXPECT_EQ(SizeText(12800), "12.50 Kb");
    EXPECT_EQ(SizeText(1048575), "1,024.00 Kb");
    EXPECT_EQ(SizeText(1048576), "1.00 Mb");
    EXPECT_EQ(SizeText(3407872), "3.25 Mb");
    EXPECT_EQ(FileSizeText(QString()), "");
    EXPECT_EQ(FileSizeText(dir.File("absent.txt")), "");
    EXPECT_EQ(FileSizeText(dir.Write("five.txt", "12345")), "5 bytes");
}

TEST_F(FileInspectionTest, KnownTextExtensions) {
    EXPECT_TRUE(IsKnownTextExtension("/a/b/notes.TXT"));
    EXPECT_TRUE(IsKnownTextExtension("page.xhtml"));
    EXPECT_FALSE(IsKnownTextExtension("script.php"));
    EXPECT_FALSE(IsKnownTextExtension("folder.txt/noextension"));
}

}  // namespace
}  // namespace lxt

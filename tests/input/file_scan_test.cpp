#include "input/file_scan.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "input/docx_builder.h"
#include "input/docx_extraction.h"
#include "input/is_text_file.h"
#include "run/run_error.h"
#include "run/run_state.h"
#include "scan/scan_options.h"

namespace lxt {
namespace {

using test::ScriptedUi;
using test::TempDir;

// A scripted Ui that can also choose an output file and act when a new word is shown.
class ScanUi : public ScriptedUi {
  public:
    QString ChooseOutputFile() override {
        ++outputChoices;
        return chosenOutput;
    }
    void OutputAppend(const QString& text) override {
        ScriptedUi::OutputAppend(text);
        if (onWordShown) onWordShown();
    }
    void SetCheckBoxVisible(UiCheckBox box, bool visible) override {
        if (box == UiCheckBox::SuppressWords) suppressVisible.push_back(visible);
    }
    std::vector<bool> suppressVisible;
    QString chosenOutput;
    int outputChoices = 0;
    std::function<void()> onWordShown;
};

// Distinct words that every default word rule accepts: "zoab", "zoac", ...
QString Word(int i) {
    QString w = QStringLiteral("zo");
    do {
        w += QChar(u'a' + i % 26);
        i /= 26;
    } while (i > 0);
    return w + QStringLiteral("e");
}

class FileScanTest : public ::testing::Test {
  protected:
    FileScanTest() {
        run.blnStartUpCompleted = true;
        ClearMacintoshMessageShown();
    }
    bool Scan(const QString& input, const QString& output = QString()) {
        run.settings.txbFile[0] = input;
        run.settings.txbFile[1] = output;
        return DoItFromFile(run, docx);
    }
    QString Table() const {
        QStringList out;
        for (qint32 i = 1; i <= run.lngNumWords; ++i) {
            out << run.WordTable[i].Word().toString() + u':' +
                       QString::number(run.WordTable[i].frequency);
        }
        return out.join(u' ');
    }

    TempDir dir;
    ScanUi ui;
    RunState run{ui};
    DocxState docx;
};

TEST_F(FileScanTest, CountsLinesEndingAtCrLfCrOrLf) {
    const QString path =
        dir.Write("t.txt", "Apple banana\r\ncherry\rApple\nbanana\r\n\r\nlast line");
    run.blnWordsGot = true;  // from an earlier count
    EXPECT_TRUE(Scan(path));
    EXPECT_FALSE(run.blnWordsGot);  // the new table is not complete until listed
    EXPECT_EQ(Table(), "apple:2 banana:2 cherry:1 last:1 line:1");
    EXPECT_EQ(run.intTextKind, kTextWindows);
    EXPECT_EQ(ui.phases, std::vector<RunPhase>{RunPhase::Counting});
    EXPECT_EQ(ui.labels[UiLabel::FileSize], "Filesize: 46 bytes");
    EXPECT_EQ(ui.labels[UiLabel::Twirler], " ");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FileScanTest, CaseSignificanceAndWindows1252) {
    const QString path = dir.Write("c.txt", "Word word \xC9t\xE9 \x80uro\r\n");
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(Table(), QString::fromUtf8("uro:1 word:2 été:1"));  // "€" is no word character
    run.settings.chkCaseSignificant = 1;
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(Table(), QString::fromUtf8("Word:1 uro:1 word:1 Été:1"));
}

TEST_F(FileScanTest, SameInputAndOutputNameIsRefusedBeforeReading) {
    const QString path = dir.Write("same.txt", "alpha beta\r\n");
    ui.Expect("Output file cannot be the same as the input file.");
    EXPECT_FALSE(Scan(path, dir.Path() + "/./same.txt"));
    EXPECT_EQ(run.lngNumWords, 0);
    EXPECT_TRUE(ui.OutputText().isEmpty());
    EXPECT_TRUE(ui.phases.empty());
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
    // A different output file is fine.
    EXPECT_TRUE(Scan(path, dir.File("out.txt")));
    EXPECT_EQ(Table(), "alpha:1 beta:1");
}

TEST_F(FileScanTest, InputChecksAndRefusedFiles) {
    ui.Expect("Input file does not exist.");
    EXPECT_FALSE(Scan(dir.File("none.txt")));
    EXPECT_EQ(ui.shown.back().title, "File not found");
    ui.Expect("Input file is zero-length.");
    EXPECT_FALSE(Scan(dir.Write("empty.txt", "")));
    EXPECT_EQ(ui.labels[UiLabel::FileSize], "Filesize: 0 bytes");
    ui.Expect("is an RTF file.");
    EXPECT_FALSE(Scan(dir.Write("doc.txt", "{\\rtf1 hello}")));
    ui.Expect("Output file cannot be a 'docx' file.");
    EXPECT_FALSE(Scan(dir.Write("in.txt", "words here\r\n"), dir.File("out.DOCX")));
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_TRUE(ui.phases.empty());
}

TEST_F(FileScanTest, Utf8QuestionBothWays) {
    const QString path = dir.Write("u.txt",
                                   "\xEF\xBB\xBF"
                                   "caf\xC3\xA9 caf\xC3\xA9\r\n");
    run.settings.chkOnly7bitASCII = 1;
    ui.Expect("This file seems to be UTF-8 encoded.", MsgResult::Yes);
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(ui.shown.back().title, "UTF-8 or ANSI file?");
    EXPECT_EQ(ui.shown.back().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(Table(), QString::fromUtf8("café:2"));
    EXPECT_EQ(run.settings.chkUTF8, 1);
    EXPECT_EQ(run.settings.chkOnly7bitASCII, 0);

    // Ticked and UTF-8: no question.
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(ui.shown.size(), 1u);

    // No: scanned as Windows-1252, the accented letter arrives as two characters.
    run.settings.chkUTF8 = 0;
    ui.Expect("This file seems to be UTF-8 encoded.", MsgResult::No);
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(Table(), QString::fromUtf8("cafã:2"));  // "é" became "Ã©"
    EXPECT_EQ(run.settings.chkUTF8, 0);

    // Ticked but ANSI: the other question; Cancel abandons.
    run.settings.chkUTF8 = 1;
    ui.Expect("This file does not seem to be UTF-8 encoded.", MsgResult::Cancel);
    EXPECT_FALSE(Scan(dir.Write("a.txt", "plain words\r\n")));
    EXPECT_TRUE(ui.shown.back().text.endsWith("(not advisable)\r\nor 'No' to scan it as ANSI."));
}

TEST_F(FileScanTest, HtmlHeadIsSkippedAndItsCharsetApplies) {
    const QString path = dir.Write(
        "p.html",
        "<!DOCTYPE html>\r\n<html><head><title>hidden title</title>\r\n"
        "<meta charset=\"UTF-8\">\r\n</head><body>visible caf\xC3\xA9\r\n<p>more text</p>\r\n");
    // The charset is on the fourth line: the inspection sees it, but the answer No is
    // overruled by the head.
    ui.Expect("This file seems to be UTF-8 encoded.", MsgResult::No);
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(Table(), QString::fromUtf8("café:1 more:1 text:1 visible:1"));
}

TEST_F(FileScanTest, HtmlPageWithoutHeadEndYieldsNothingAfterItsDoctype) {
    const QString path = dir.Write("nohead.htm", "<!DOCTYPE HTML>\r\n<p>lost words</p>\r\n");
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(run.lngNumWords, 0);
    // Only a page whose extension contains "htm" has its head skipped. (An ".xml" that
    // begins with "<" is taken for UTF-8.)
    ui.Expect("This file seems to be UTF-8 encoded.", MsgResult::No);
    EXPECT_TRUE(Scan(dir.Write("page.xml", "<!DOCTYPE html>\r\n<p>kept words</p>\r\n")));
    EXPECT_EQ(Table(), "kept:1 words:1");
}

TEST_F(FileScanTest, LargeInputQuestion) {
    QByteArray text;
    while (text.size() <= kLargeInputSize) text += "large input words\r\n";
    const QString path = dir.Write("large.txt", text);
    ui.Expect("The input file is quite large.", MsgResult::Cancel);
    EXPECT_FALSE(Scan(path));
    EXPECT_EQ(ui.shown.back().title, "Large input file");

    // Yes with a canceled choice goes on.
    ui.Expect("Do you wish to specify an output file?", MsgResult::Yes);
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(ui.outputChoices, 1);
    EXPECT_EQ(Table(), "input:" + QString::number(text.size() / 19) +
                           " large:" + QString::number(text.size() / 19) +
                           " words:" + QString::number(text.size() / 19));
    // The progress bar ran to its end and the label got its normal look back.
    const QStringList& bar = ui.labelHistory[UiLabel::TotalNumOccurrences];
    ASSERT_GE(bar.size(), 3);
    EXPECT_EQ(bar.first(), "[" + QString(37, u' ') + "]");
    EXPECT_TRUE(bar.contains("[" + QString(36, u'-') + ">]"));
    EXPECT_EQ(bar.last(), "");
    EXPECT_FALSE(ui.progressBarLook);

    // Choosing the input file itself is refused.
    ui.chosenOutput = path;
    ui.Expect("Do you wish to specify an output file?", MsgResult::Yes);
    ui.Expect("Output file cannot be the same as the input file.");
    EXPECT_FALSE(Scan(path));
    // With an output file named there is no question.
    EXPECT_TRUE(Scan(path, dir.File("out.csv")));
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(FileScanTest, SmallFilesDrawNoProgressBar) {
    EXPECT_TRUE(Scan(dir.Write("s.txt", QByteArray(10000, 'a') + " word\r\n")));
    EXPECT_TRUE(ui.labelHistory[UiLabel::TotalNumOccurrences].filter("[").isEmpty());
}

TEST_F(FileScanTest, EveryKindOfLineEndGivesTheSameCount) {
    // A web address's "//" hides the rest of its line only: the next line counts whatever
    // ends the line.
    const QByteArray lines[] = {"Licence text at https://www.example.org/licenses here",
                                "remains counted /* a comment", "over lines */ after it",
                                "last line"};
    QStringList tables;
    ui.Expect("has Macintosh-type line endings (CR).");  // once after start-up, as before
    for (const char* end : {"\r\n", "\n", "\r"}) {
        QByteArray text;
        for (const QByteArray& line : lines) text += line + end;
        EXPECT_TRUE(Scan(dir.Write("ends.txt", text)));
        tables << Table();
    }
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(tables[0], "after:1 counted:1 last:1 licence:1 line:1 remains:1 text:1");
    EXPECT_EQ(tables[1], tables[0]);
    EXPECT_EQ(tables[2], tables[0]);
    // Mixed in one file, with a lone CR at the very end.
    EXPECT_TRUE(Scan(dir.Write(
        "mixed.txt", lines[0] + "\n" + lines[1] + "\r\n" + lines[2] + "\r" + lines[3] + "\r")));
    EXPECT_EQ(Table(), tables[0]);
}

TEST_F(FileScanTest, LargeUnixFileIsCountedWithoutAQuestion) {
    QByteArray text;
    while (text.size() < 600000) text += "unix words // and a comment\n";
    const QString path = dir.Write("unix.txt", text);
    ui.Expect("The input file is quite large.", MsgResult::No);
    EXPECT_TRUE(Scan(path));
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(Table(), "unix:" + QString::number(text.count('\n')) +
                           " words:" + QString::number(text.count('\n')));
    EXPECT_EQ(run.intTextKind, kTextUnix);
    // The progress bar reaches its end exactly: every byte counted once.
    EXPECT_TRUE(
        ui.labelHistory[UiLabel::TotalNumOccurrences].contains("[" + QString(36, u'-') + ">]"));
}

TEST_F(FileScanTest, Utf8WithoutMarkAsksAsAMarkDoes) {
    const QByteArray german =
        "Gr\xC3\xBC\xC3\x9F"
        "e aus M\xC3\xBCnchen\n\xC3\xBC"
        "ber alles\n";
    for (const QByteArray& bytes : {german, "\xEF\xBB\xBF" + german}) {
        run.settings.chkUTF8 = 0;
        run.settings.chkOnly7bitASCII = 1;
        ui.Expect("This file seems to be UTF-8 encoded.", MsgResult::Yes);
        EXPECT_TRUE(Scan(dir.Write("de.txt", bytes)));
        EXPECT_EQ(Table(), QString::fromUtf8("alles:1 aus:1 grüße:1 münchen:1 über:1"));
        EXPECT_EQ(run.settings.chkOnly7bitASCII, 0);
    }
    EXPECT_TRUE(ui.AllExpectedShown());
    // A few Windows-1252 bytes among UTF-8: ANSI, no question.
    run.settings.chkUTF8 = 0;
    const size_t before = ui.shown.size();
    EXPECT_TRUE(Scan(dir.Write("mixed.txt", german + "caf\xE9\n")));
    EXPECT_EQ(ui.shown.size(), before);
}

TEST_F(FileScanTest, CommentMarkersAreTheUsersForPlainTextOnly) {
    const QByteArray text = "one // two\nthree /* four */ five\nsix # seven\n";
    const QString plain = dir.Write("c.txt", text);
    EXPECT_TRUE(Scan(plain));
    EXPECT_EQ(Table(), "five:1 one:1 seven:1 six:1 three:1");
    run.settings.chkAllowCommentMarkers = 0;
    EXPECT_TRUE(Scan(plain));
    EXPECT_EQ(Table(), "five:1 four:1 one:1 seven:1 six:1 three:1 two:1");
    // Ticked with pairs of the user's own ("#" to the end of the line, "three" ... "five"),
    // blanks around them trimmed as the window trims them.
    run.settings.chkAllowCommentMarkers = 1;
    run.settings.txbStartComment = {QStringLiteral("#"), QStringLiteral(" three ")};
    run.settings.txbEndComment = {QString(), QStringLiteral("five")};
    EXPECT_TRUE(Scan(plain));
    EXPECT_EQ(Table(), "one:1 six:1 two:1");
    // A web page keeps its markup markers whatever the box says.
    run.settings.chkAllowCommentMarkers = 0;
    EXPECT_TRUE(Scan(dir.Write("p.html", "<p>one</p> <!-- two --> three\n")));
    EXPECT_EQ(Table(), "one:1 three:1");
}

class StopTest : public FileScanTest, public ::testing::WithParamInterface<int> {};

TEST_P(StopTest, StopAfterSoManyWords) {
    const int stopAt = GetParam();
    QByteArray text;
    for (int i = 0; i < 3000; ++i) text += Word(i).toLatin1() + "\r\n";
    const QString path = dir.Write("many.txt", text);
    ui.onWordShown = [&] {
        if (run.lngNumWords == stopAt) run.blnStop = true;
    };
    if (stopAt >= kStopQuestionWords) {
        ui.Expect(" 2000 different words have been found.\r\nDo you really wish to stop?",
                  MsgResult::Yes);
    }
    EXPECT_TRUE(Scan(path, dir.File("out.txt")));
    EXPECT_EQ(run.lngNumWords, stopAt);
    EXPECT_TRUE(run.blnStop);
    EXPECT_TRUE(ui.AllExpectedShown());
}
INSTANTIATE_TEST_SUITE_P(Words, StopTest, ::testing::Values(1999, 2000));

TEST_F(FileScanTest, StopQuestionAnsweredNoGoesOn) {
    QByteArray text;
    for (int i = 0; i < 2500; ++i) text += Word(i).toLatin1() + "\r\n";
    ui.onWordShown = [&] {
        if (run.lngNumWords == 2100) run.blnStop = true;
    };
    ui.Expect("2100 different words have been found.", MsgResult::No);
    EXPECT_TRUE(Scan(dir.Write("more.txt", text), dir.File("out.txt")));
    EXPECT_EQ(run.lngNumWords, 2500);
    EXPECT_FALSE(run.blnStop);
}

TEST_F(FileScanTest, RunTimeErrorMidFileKeepsTheWordsFound) {
    const QString path = dir.Write("err.txt", "one two three\r\nfour five six\r\nseven eight\r\n");
    ui.onWordShown = [&] {
        if (run.lngNumWords == 5) throw RunError{kErrOverflow, QStringLiteral("Overflow")};
    };
    ui.Expect("At DoItFromFile error #6.\r\nDescription: Overflow");
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(Table(), "five:1 four:1 one:1 three:1 two:1");
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences], "");
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(FileScanTest, DocxInputIsCountedAndLeavesNoTemporaryFolder) {
    const QString path = dir.File("Story.DOCX");
    ASSERT_TRUE(test::WriteDocx(
        path,
        "<w:document><w:body><w:p><w:r><w:t>Once upon</w:t></w:r></w:p>"
        "<w:p><w:r><w:t>a time, &quot;once&quot; upon</w:t></w:r></w:p></w:body></w:document>"));
    run.blnWordsGot = true;
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(Table(), "once:2 time:1 upon:2");
    EXPECT_FALSE(run.blnWordsGot);
    EXPECT_EQ(ui.suppressVisible, (std::vector<bool>{false, true}));
    EXPECT_TRUE(docx.blnDocx);
    EXPECT_FALSE(docx.strTempFolder.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
    EXPECT_TRUE(ui.labels[UiLabel::XmlSize].startsWith("Text: "));
    EXPECT_TRUE(ui.shown.empty());

    // Greek text takes two bytes a letter in the text file: the bar still runs to its end.
    QByteArray greek = "<w:document><w:t>";
    for (int i = 0; i < 3000; ++i) greek += "\xCE\xB1\xCE\xBB\xCF\x86\xCE\xB1 ";
    ASSERT_TRUE(test::WriteDocx(path, greek + "</w:t></w:document>"));
    ui.labelHistory[UiLabel::TotalNumOccurrences].clear();
    EXPECT_TRUE(Scan(path, dir.File("out.txt")));
    EXPECT_TRUE(
        ui.labelHistory[UiLabel::TotalNumOccurrences].contains("[" + QString(36, u'-') + ">]"));
}

TEST_F(FileScanTest, DocxWithoutTextIsAnOrdinaryEmptyResult) {
    const QString path = dir.File("empty.docx");
    ASSERT_TRUE(test::WriteDocx(path, "<w:document><w:body><w:p/></w:body></w:document>"));
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(run.lngNumWords, 0);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
}

TEST_F(FileScanTest, StopDuringTheDocxExtractionEndsTheRunBeforeReading) {
    const QString path = dir.File("stop.docx");
    ASSERT_TRUE(test::WriteDocx(path, "<w:t>alpha</w:t><w:t>beta</w:t><w:t>gamma</w:t>"));
    ui.OnDoEvents([&] { run.blnStop = true; });  // Stop pressed within the first seconds
    EXPECT_FALSE(Scan(path));
    EXPECT_EQ(run.lngNumWords, 0);
    EXPECT_FALSE(run.blnStop);
    EXPECT_EQ(ui.phases, (std::vector<RunPhase>{RunPhase::Counting, RunPhase::Idle}));
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences], "");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
}

TEST_F(FileScanTest, DamagedDocxDoesNotStartTheRun) {
    const QString good = dir.File("good.docx");
    ASSERT_TRUE(test::WriteDocx(good, "<w:t>" + QByteArray(3000, 'x') + "</w:t>"));
    const QByteArray bytes = TempDir::Read(good);
    const QString cut = dir.Write("cut.docx", bytes.left(bytes.size() - 30));
    ui.Expect("is damaged or is not a Word 'docx' file");
    EXPECT_FALSE(Scan(cut));
    EXPECT_TRUE(ui.shown.back().text.contains(cut));
    EXPECT_TRUE(run.settings.txbFile[0].isEmpty());
    EXPECT_TRUE(ui.phases.empty());
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
}

TEST_F(FileScanTest, DocxChecksumErrorIsAskedAtBothPreparations) {
    const QByteArray xml = "<w:document><w:t>checked words</w:t></w:document>";
    const QString path = dir.File("crc.docx");
    ASSERT_TRUE(test::WriteDocx(path, xml, true));
    ASSERT_GE(test::CorruptCrc(path, xml), 1);
    ui.Expect("Do you wish to scan this file anyway?", MsgResult::Yes);
    ui.Expect("Do you wish to scan this file anyway?", MsgResult::Yes);
    EXPECT_TRUE(Scan(path));
    EXPECT_EQ(Table(), "checked:1 words:1");
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));

    // No at the second question: the run ends before reading, controls restored.
    ui.phases.clear();
    ui.Expect("Do you wish to scan this file anyway?", MsgResult::Yes);
    ui.Expect("Do you wish to scan this file anyway?", MsgResult::No);
    EXPECT_FALSE(Scan(path));
    EXPECT_EQ(ui.phases, (std::vector<RunPhase>{RunPhase::Counting, RunPhase::Idle}));
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
}

}  // namespace
}  // namespace lxt

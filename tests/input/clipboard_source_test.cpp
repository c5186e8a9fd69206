#include "input/clipboard_source.h"

#include <gtest/gtest.h>

#include "common/scripted_ui.h"
#include "run/run_state.h"
#include "scan/markup.h"
#include "scan/scan_options.h"

namespace lxt {
namespace {

using test::ScriptedUi;

class ClipboardUi : public ScriptedUi {
  public:
    std::optional<QString> ClipboardText() override { return clipboard; }
    std::optional<QString> clipboard = QString();
};

class ClipboardTest : public ::testing::Test {
  protected:
    ClipboardTest() { run.blnStartUpCompleted = true; }
    QString Table() const {
        QStringList out;
        for (qint32 i = 1; i <= run.lngNumWords; ++i) {
            out << run.WordTable[i].Word().toString() + u':' +
                       QString::number(run.WordTable[i].frequency);
        }
        return out.join(u' ');
    }
    ClipboardUi ui;
    RunState run{ui};
};

TEST_F(ClipboardTest, NaturalLanguageTestLooksAtTheFirst3000Characters) {
    EXPECT_TRUE(IsNaturalLanguageText(QString()));
    EXPECT_TRUE(IsNaturalLanguageText("tabs\tand\r\nline\nbreaks\fhere"));
    QString text(5000, u'a');
    text[2999] = QChar(0);  // position 3,000
    EXPECT_FALSE(IsNaturalLanguageText(text));
    text[2999] = u'a';
    text[3000] = QChar(0);  // position 3,001
    EXPECT_TRUE(IsNaturalLanguageText(text));
    EXPECT_FALSE(IsNaturalLanguageText(QStringLiteral("escape \x1B here")));
    EXPECT_FALSE(IsNaturalLanguageText(QStringLiteral("vertical \x0B tab")));
    // Word-processor punctuation is ordinary text, although its low byte is a control code.
    EXPECT_TRUE(IsNaturalLanguageText(QString::fromUtf8("it\xE2\x80\x99s \xE2\x80\x94 fine")));
    EXPECT_TRUE(IsNaturalLanguageText(QString(QChar(0x0100))));
}

TEST_F(ClipboardTest, PasteChecks) {
    ui.clipboard = QString();
    ui.Expect("Clipboard is empty.");
    EXPECT_FALSE(Paste(run, true));
    EXPECT_EQ(ui.shown.back().title, "Clipboard empty");
    EXPECT_EQ(ui.labels[UiLabel::SizeOfClipboardContents], "");

    ui.clipboard = QString(100000, u'w');
    EXPECT_TRUE(Paste(run, false));
    EXPECT_EQ(run.strClipboardText.size(), 100000);
    EXPECT_TRUE(ui.OutputText().isEmpty());
    EXPECT_EQ(ui.labels[UiLabel::SizeOfClipboardContents], "100,000 bytes on the clipboard.");

    ui.clipboard = QString(100001, u'x');
    ui.Expect("characters in the text on the clipboard.");
    EXPECT_FALSE(Paste(run, true));
    EXPECT_EQ(ui.shown.back().title, "Too much clipboard text");
    EXPECT_EQ(ui.shown.back().text,
              "There are 100,001 characters in the text on the clipboard.\r\nThe maximum "
              "permitted is 100,000.  If possible,\r\ncount word frequencies for this text using "
              "an input file.");
    // The stored text keeps its previous value.
    EXPECT_EQ(run.strClipboardText, QString(100000, u'w'));

    ui.clipboard = QStringLiteral("shown text");
    run.blnWordsGot = true;
    EXPECT_TRUE(Paste(run, true));
    EXPECT_EQ(ui.OutputText(), "shown text");
    EXPECT_FALSE(run.blnWordsGot);
    EXPECT_EQ(ui.labels[UiLabel::SizeOfClipboardContents], "10 bytes on the clipboard.");
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(ClipboardTest, CountsTheTextAsOneLine) {
    run.blnWordsGot = true;  // a complete count of a previous file run
    EXPECT_TRUE(DoItFromClipboard(run, "Apple /* apple */ banana\r\nApple"));
    EXPECT_EQ(Table(), "apple:3 banana:1");
    EXPECT_FALSE(run.blnWordsGot);
    EXPECT_EQ(ui.phases, std::vector<RunPhase>{RunPhase::Counting});

    run.settings.chkCaseSignificant = 1;
    EXPECT_TRUE(DoItFromClipboard(run, QString::fromUtf8("Écrit écrit")));
    EXPECT_EQ(Table(), QString::fromUtf8("Écrit:1 écrit:1"));

    EXPECT_TRUE(DoItFromClipboard(run, QString()));
    EXPECT_EQ(run.lngNumWords, 0);
}

TEST_F(ClipboardTest, InvalidTextIsNotCounted) {
    QString text = QStringLiteral("words ") + QString(3000, u'a');
    text[2999] = QChar(0);
    ui.Expect("solely of natural language words.");
    EXPECT_FALSE(DoItFromClipboard(run, text));
    EXPECT_EQ(ui.shown.back().title, "Invalid input");
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(ui.phases.empty());

    // The stored text is what a count without a text argument uses.
    run.strClipboardText = QStringLiteral("stored words words");
    EXPECT_TRUE(DoItFromClipboard(run));
    EXPECT_EQ(Table(), "stored:1 words:2");
}

TEST_F(ClipboardTest, SizeLabelText) {
    EXPECT_EQ(ClipboardSizeText(0), "0 bytes on the clipboard.");
    EXPECT_EQ(ClipboardSizeText(1234), "1,234 bytes on the clipboard.");
    ui.clipboard = std::nullopt;
    ShowClipboardSize(run);
    EXPECT_EQ(ui.labels[UiLabel::SizeOfClipboardContents], "");
}

}  // namespace
}  // namespace lxt

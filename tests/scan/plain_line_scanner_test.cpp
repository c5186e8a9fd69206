#include "scan/plain_line_scanner.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "scan/scan_fixture.h"
#include "support/win1252.h"

namespace lxt::test {
namespace {

// Keeps the words it is given, in order.
class RecordingSink final : public WordSink {
  public:
    void Accept(QStringView word) override { words << word.toString(); }
    QStringList words;
};

class PlainLineScannerTest : public ScanFixture {
  protected:
    // The words of `bytes` by the quick way, or "(general)" when it refuses the line.
    QString Quick(const QByteArray& bytes) {
        const ScanOptions options = Options();
        PlainLineScanner plain(options, run.settings.chkCaseSignificant == 1);
        RecordingSink words;
        ScanEvents events = ScanEventsOf(run);
        ScanState quickState;
        const auto outcome = plain.Scan(bytes, quickState, words, events);
        if (outcome == PlainLineScanner::Outcome::NeedsScanLine) return u"(general)"_s;
        return words.words.join(u' ');
    }
    // The words ScanLine finds in the same line, decoded, trimmed and case-folded as the file
    // scan does it.
    QString General(const QByteArray& bytes) {
        QString line = DecodeWin1252(bytes);
        TrimControls(line);
        if (line.isEmpty()) return QString();
        if (run.settings.chkCaseSignificant != 1) line = LowerCaseFull(line);
        ScanState general;
        general.line = line + u' ';
        RecordingSink words;
        ScanEvents events = ScanEventsOf(run);
        ScanLine(general, Options(), words, events);
        return words.words.join(u' ');
    }
};

TEST_F(PlainLineScannerTest, LinesThatNeedTheGeneralWay) {
    SetCommentMarkers(markers, kModeC);
    EXPECT_EQ(Quick("see http://example.com"), u"(general)");  // a marker may begin
    EXPECT_EQ(Quick("caf\xE9 au lait"), u"(general)");         // beyond ASCII
    EXPECT_EQ(Quick("tab\tinside"), u"(general)");             // a control character
    EXPECT_EQ(Quick("\t  plain words here \r"), u"plain words here");
    EXPECT_EQ(Quick(" \t "), u"");
    Mode(u"xml"_s);  // entities are decoded: "&" needs the general way
    EXPECT_EQ(Quick("fish &amp; chips"), u"(general)");
    state.withinComment = 0;  // a span open from the line before
    SetCommentMarkers(markers, kModeC);
    ScanEvents events = ScanEventsOf(run);
    RecordingSink words;
    PlainLineScanner plain(Options(), false);
    EXPECT_EQ(plain.Scan("words */ after", state, words, events),
              PlainLineScanner::Outcome::NeedsScanLine);
}

// Every plain line gives the words of ScanLine, under every combination of the word
// settings, with and without markers: hyphens and double hyphens (also around "<!--" and
// "-->"), apostrophes, digits, capitals, short and repeated words, Roman numerals and runs
// of small letters longer than sixteen.
TEST_F(PlainLineScannerTest, AgreesWithScanLine) {
    const QByteArray alphabet = "aeiouybcdfghklmnpqrstvwxz AEIVXLCDMST--'0189<!>.,;:/&*";
    QRandomGenerator random(14);
    int compared = 0;
    for (int variant = 0; variant < 64; ++variant) {
        run.settings.chkAllowWordsWithHyphens = variant & 1;
        run.settings.chkAllowWordsWithApostrophes = (variant >> 1) & 1;
        run.settings.chkAllowWordsWithNumerals = (variant >> 2) & 1;
        run.settings.chkDropFinalS = (variant >> 3) & 1;
        run.settings.chkIgnoreNoVowel = (variant >> 4) & 1;
        run.settings.chkCaseSignificant = (variant >> 5) & 1;
        Apply();
        SetCommentMarkers(markers, variant % 3 == 0 ? QStringView(kModeC) : QStringView());
        for (int lineNo = 0; lineNo < 200; ++lineNo) {
            QByteArray line;
            const int length = static_cast<int>(random.bounded(60));
            for (int i = 0; i < length; ++i) {
                line += random.bounded(3) != 0 ? char('a' + random.bounded(26))
                                               : alphabet[random.bounded(alphabet.size())];
            }
            const QString quick = Quick(line);
            if (quick == u"(general)") continue;
            ++compared;
            ASSERT_EQ(quick, General(line)) << variant << " [" << line.toStdString() << "]";
        }
    }
    EXPECT_GT(compared, 5000);
}

TEST_F(PlainLineScannerTest, StopEndsTheLineAfterTheCurrentCandidate) {
    run.blnStartUpCompleted = true;
    ui.OnDoEvents([this] { run.blnStop = true; });
    EXPECT_EQ(Quick("first second third fourth fifth sixth"), u"first");
    EXPECT_GE(ui.doEventsCalls, 1);
}

}  // namespace
}  // namespace lxt::test

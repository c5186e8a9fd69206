#include "scan/plain_line_scanner.h"
#include "scan/utf8_line_scanner.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "scan/scan_fixture.h"
#include "support/utf8.h"
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
    // The words of `bytes` by the quick ways as the reading loop tries them (the byte scan,
    // then for UTF-8 the scan of wider characters), or "(general)" when both refuse the line.
    QString Quick(const QByteArray& bytes, bool utf8 = false) {
        const ScanOptions options = Options();
        const bool caseSignificant = run.settings.chkCaseSignificant == 1;
        PlainLineScanner plain(options, caseSignificant);
        Utf8LineScanner wide(options, caseSignificant);
        RecordingSink words;
        ScanEvents events = ScanEventsOf(run);
        ScanState quickState;
        const auto outcome = plain.Scan(bytes, utf8, quickState, words, events);
        if (outcome == PlainLineScanner::Outcome::NeedsScanLine &&
            !(utf8 && wide.Scan(bytes, quickState, words, events))) {
            return u"(general)"_s;
        }
        return words.words.join(u' ');
    }
    // The words ScanLine finds in the same line, decoded, trimmed and case-folded as the file
    // scan does it.
    QString General(const QByteArray& bytes, bool utf8 = false) {
        QString line = utf8 ? DecodeUtf8(bytes) : DecodeWin1252(bytes);
        if (!PrepareLineForScan(line, utf8, run.settings.chkCaseSignificant == 1)) return QString();
        ScanState general;
        general.line = line;
        RecordingSink words;
        ScanEvents events = ScanEventsOf(run);
        ScanLine(general, Options(), words, events);
        return words.words.join(u' ');
    }
    // The word settings of `variant`: each of its six low bits ticks one box; every third
    // variant scans with the C markers.
    void ApplyVariant(int variant) {
        run.settings.chkAllowWordsWithHyphens = variant & 1;
        run.settings.chkAllowWordsWithApostrophes = (variant >> 1) & 1;
        run.settings.chkAllowWordsWithNumerals = (variant >> 2) & 1;
        run.settings.chkDropFinalS = (variant >> 3) & 1;
        run.settings.chkIgnoreNoVowel = (variant >> 4) & 1;
        run.settings.chkCaseSignificant = (variant >> 5) & 1;
        SetCommentMarkers(markers, variant % 3 == 0 ? QStringView(kModeC) : QStringView());
    }
    // Up to 59 characters, two in three of them small ASCII letters, the others from
    // `alphabet`.
    static QString RandomLine(QRandomGenerator& random, const QString& alphabet) {
        QString text;
        const int length = static_cast<int>(random.bounded(60));
        for (int i = 0; i < length; ++i) {
            text += random.bounded(3) != 0 ? QChar(u'a' + random.bounded(26))
                                           : alphabet[random.bounded(alphabet.size())];
        }
        return text;
    }
};

TEST_F(PlainLineScannerTest, LinesThatNeedTheGeneralWay) {
    SetCommentMarkers(markers, kModeC);
    EXPECT_EQ(Quick("see http://example.com"), u"(general)");          // a marker may begin
    EXPECT_EQ(Quick("caf\xE9 au lait"), u"caf\u00E9 lait");            // Windows-1252
    EXPECT_EQ(Quick("caf\xC3\x89 au lait", true), u"caf\u00E9 lait");  // UTF-8, folded
    EXPECT_EQ(Quick("\x80uro sign"), u"(general)");                    // beyond 255
    EXPECT_EQ(Quick("no\xA0"
                    "break"),
              u"(general)");  // no-break space
    EXPECT_EQ(Quick("\xC2\x85"
                    "next line",
                    true),
              u"(general)");                          // a C1 character
    EXPECT_EQ(Quick("caf\xE9", true), u"(general)");  // not UTF-8
    EXPECT_EQ(Quick("tab\tinside"), u"(general)");    // a control character
    EXPECT_EQ(Quick("\t  plain words here \r"), u"plain words here");
    EXPECT_EQ(Quick(" \t "), u"");
    Mode(u"xml"_s);  // entities are decoded: "&" needs the general way
    EXPECT_EQ(Quick("fish &amp; chips"), u"(general)");
    state.withinComment = 0;  // a span open from the line before
    SetCommentMarkers(markers, kModeC);
    ScanEvents events = ScanEventsOf(run);
    RecordingSink words;
    PlainLineScanner plain(Options(), false);
    EXPECT_EQ(plain.Scan("words */ after", false, state, words, events),
              PlainLineScanner::Outcome::NeedsScanLine);
}

// Every plain line gives the words of ScanLine, under every combination of the word
// settings, with and without markers, in Windows-1252 and in UTF-8: hyphens and double
// hyphens (also around "<!--" and "-->"), apostrophes, digits, capitals, accented letters
// of both cases, the sharp s, the multiplication sign, short and repeated words, Roman
// numerals and runs of small letters longer than sixteen.
TEST_F(PlainLineScannerTest, AgreesWithScanLine) {
    const QString alphabet =
        u"aeiouybcdfghklmnpqrstvwxz AEIVXLCDMST--'0189<!>.,;:/&*éÉüÜßÿ×÷ÀÞµ €"_s;
    QRandomGenerator random(14);
    int compared = 0;
    for (int variant = 0; variant < 128; ++variant) {
        const bool utf8 = (variant >> 6) & 1;
        ApplyVariant(variant);
        for (int lineNo = 0; lineNo < 80; ++lineNo) {
            QString text = RandomLine(random, alphabet);
            const QByteArray line = utf8 ? text.toUtf8() : EncodeWin1252(text);
            const QString quick = Quick(line, utf8);
            if (quick == u"(general)") continue;
            ++compared;
            ASSERT_EQ(quick, General(line, utf8)) << variant << " [" << text.toStdString() << "]";
        }
    }
    EXPECT_GT(compared, 3000);
}

TEST_F(PlainLineScannerTest, Utf8LinesWithWiderCharacters) {
    SetCommentMarkers(markers, kModeC);
    EXPECT_EQ(
        Quick("\xD0\x9C\xD0\xB8\xD1\x80 \xD0\xB8 \xD0\x92\xD0\x9E\xD0\x99\xD0\x9D\xD0\x90", true),
        u"\u043C\u0438\u0440 \u0432\u043E\u0439\u043D\u0430");  // folded
    EXPECT_EQ(Quick("it\xE2\x80\x99s \xE2\x80\x9Cthe\xE2\x80\x9D end\xE2\x80\xA6", true),
              u"the end");
    EXPECT_EQ(Quick("\xE2\x82\xAC \xD0\xBC\xD0\xB8\xD1\x80 /* c */", true),
              u"(general)");                                                            // a marker
    EXPECT_EQ(Quick("\xD0\xBC\xD0\xB8\xD1\x80 caf\x65\xCC\x81", true), u"(general)");   // a mark
    EXPECT_EQ(Quick("\xD0\xBC\xD0\xB8\xD1\x80 \xF0\x9D\x90\x80", true), u"(general)");  // a pair
    EXPECT_EQ(Quick("\xD0\xBC\xD0\xB8\xD1\x80\xE2\x80", true), u"(general)");           // cut short
    EXPECT_EQ(Quick("\xD0\xBC\xD0\xB8\xD1\x80\xC2\x85", true), u"(general)");           // C1
    EXPECT_EQ(Quick("\xED\xA0\x80\xD0\xBC\xD0\xB8\xD1\x80", true), u"(general)");       // surrogate
}

// Every UTF-8 line with characters beyond 255 that a quick way takes gives the words of
// ScanLine, under every combination of the word settings, with and without markers:
// Cyrillic, Greek and Polish letters of both cases, the stand-ins of typographic dashes,
// quotation marks and dots (among them the apostrophe, "--" and "..."), "č" and "Č", the
// capital I with dot, letters of scripts without vowels, and the characters that need the
// general way (marks, pairs, C1, no-break space).
TEST_F(PlainLineScannerTest, Utf8LinesAgreeWithScanLine) {
    const QString alphabet =
        u"аеёиоуыбвгджзклмнпрстфхцчшщъьэюяАЕЁИБВЩЪЭЮЯαεηιουωβγδΑΒΓΩάέ"
        u"ąćęłńóśźżĄĆĘŁŃŚŹŻčČİ‐–—―‘’‚“”•…‹›‰€™漢字 -'0<!>/*&éÜßÿ×\u0301\u00A0\u0085"_s;
    QRandomGenerator random(1414);
    int compared = 0;
    for (int variant = 0; variant < 64; ++variant) {
        ApplyVariant(variant);
        for (int lineNo = 0; lineNo < 80; ++lineNo) {
            QString text = RandomLine(random, alphabet);
            if (random.bounded(8) == 0) text += QString::fromUcs4(U"\U0001D400");
            const QByteArray line = text.toUtf8();
            const QString quick = Quick(line, true);
            if (quick == u"(general)") continue;
            ++compared;
            ASSERT_EQ(quick, General(line, true)) << variant << " [" << text.toStdString() << "]";
        }
    }
    EXPECT_GT(compared, 1500);
}

TEST_F(PlainLineScannerTest, StopEndsTheLineAfterTheCurrentCandidate) {
    run.blnStartUpCompleted = true;
    ui.OnDoEvents([this] { run.blnStop = true; });
    EXPECT_EQ(Quick("first second third fourth fifth sixth"), u"first");
    EXPECT_GE(ui.doEventsCalls, 1);
}

}  // namespace
}  // namespace lxt::test

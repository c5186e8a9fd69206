#include "scan/line_scanner.h"
#include "scan/scan_options.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "run/run_error.h"
#include "scan/scan_fixture.h"
#include "scan/word_rules.h"

namespace lxt::test {
namespace {

TEST(CleanLine, ControlCharactersBecomeBlanks) {
    QString line = QStringLiteral("a\bb\r\nc\rd\ne\ff\u00A0g\th ");
    CleanLine(line);
    EXPECT_EQ(line, u"ab c d e f g h ");
    QString crlf = QStringLiteral("x\r\b\ny");  // the backspace goes first, then CR LF is one
    CleanLine(crlf);
    EXPECT_EQ(crlf, u"x y");
}

TEST(SpaceDoubleHyphens, DashesBecomeBlanksButCommentDelimitersStay) {
    QString line = u"state--of--the--art"_s;
    SpaceDoubleHyphens(line);
    EXPECT_EQ(line, u"state  of  the  art");
    QString comment = u"x <!-- note --> y"_s;
    SpaceDoubleHyphens(comment);
    EXPECT_EQ(comment, u"x <!-- note --> y");
    QString start = u"--a ---b"_s;  // the pair at the first character is left
    SpaceDoubleHyphens(start);
    EXPECT_EQ(start, u"--a   -b");
}

// CleanLine and SpaceDoubleHyphens as they read, one replacement after the other.
QString PlainCleaned(QString line) {
    line.remove(QChar(8));
    line.replace(u"\r\n"_s, u"\r"_s);
    for (const char16_t c : {u'\n', u'\f', u'\r', u'\u00A0', u'\t'}) line.replace(QChar(c), u' ');
    return line;
}

QString PlainSpaced(QString line) {
    for (qsizetype p = line.indexOf(u"--"); p >= 0; p = line.indexOf(u"--", p + 2)) {
        if (p >= 2 && line.mid(p - 2, 4) != u"<!--" && line.mid(p, 3) != u"-->") {
            line[p] = u' ';
            line[p + 1] = u' ';
        }
    }
    return line;
}

TEST(CleanLine, RandomLinesAgreeWithTheStepsAsTheyRead) {
    const QString alphabet = u"ab-<!> \r\n\t\b\f\u00A0"_s;
    QRandomGenerator random(11);
    for (int n = 0; n < 3000; ++n) {
        QString line;
        const int length = static_cast<int>(random.bounded(30));
        for (int i = 0; i < length; ++i) line += alphabet[random.bounded(alphabet.size())];
        QString cleaned = line;
        CleanLine(cleaned);
        ASSERT_EQ(cleaned, PlainCleaned(line));
        QString spaced = cleaned;
        SpaceDoubleHyphens(spaced);
        ASSERT_EQ(spaced, PlainSpaced(cleaned)) << cleaned.toStdString();
    }
}

using LineScanner = ScanFixture;

TEST_F(LineScanner, SentinelOnlyLineDeliversNothing) {
    EXPECT_EQ(Count(u""_s), u"");
    EXPECT_EQ(run.lngTotalNumOccurrences, 0);
}

TEST_F(LineScanner, DoubleHyphensSeparateWords) {
    EXPECT_EQ(Count(u"state--of--the--art"_s), u"art:1 state:1 the:1");
    EXPECT_EQ(run.lngTotalNumOccurrences, 3);
}

TEST_F(LineScanner, LeadingHyphensAreSkipped) {
    EXPECT_EQ(Count(u"-well --well 'well"_s), u"well:3");
}

TEST_F(LineScanner, TrailingHyphensAreDropped) {
    EXPECT_EQ(Count(u"pre- and post-- war"_s), u"and:1 post:1 pre:1 war:1");
}

TEST_F(LineScanner, BlockCommentClosedOnALaterLine) {
    SetCommentMarkers(markers, kModeC);
    EXPECT_EQ(Count({u"before /* hidden"_s, u"still hidden"_s, u"gone */ after"_s}),
              u"after:1 before:1");
    EXPECT_EQ(state.withinComment, -1);
}

TEST_F(LineScanner, LineCommentHidesTheRestOfTheLineAndABlockStartInIt) {
    SetCommentMarkers(markers, kModeC);
    EXPECT_EQ(Count({u"see about://example.com/page now /* not"_s, u"next line"_s,
                     u"right/*after*/words, and/ slash"_s}),
              u"about:1 and:1 line:1 next:1 right:1 see:1 slash:1 words:1");
}

TEST_F(LineScanner, StopEndsTheLineAfterTheCurrentCandidate) {
    run.blnStartUpCompleted = true;
    ui.OnDoEvents([this] { run.blnStop = true; });
    EXPECT_EQ(Count(u"first second third"_s), u"first:1");
    EXPECT_GE(ui.doEventsCalls, 1);
}

TEST_F(LineScanner, NoEventsBeforeStartUpIsComplete) {
    Count(u"first second third"_s);
    EXPECT_EQ(ui.doEventsCalls, 0);
}

TEST_F(LineScanner, PumpingIsThrottled) {
    run.blnStartUpCompleted = true;
    QString line;
    for (int i = 0; i < 2000; ++i) line += u"word ";
    Count(line);
    EXPECT_EQ(run.WordTable[1].frequency, 2000);
    EXPECT_GE(ui.doEventsCalls, 1);
    EXPECT_LT(ui.doEventsCalls, 100);
}

TEST_F(LineScanner, CandidateIsCutAt65000Characters) {
    const QString longRun(70000, u'a');
    state.line = longRun + u' ';
    state.scanPosition = 0;  // 0-based: the 65,001st character is at 65,000
    const ScanOptions options = Options();
    EXPECT_EQ(ExtractWord(state.line, state.scanPosition, options).size(), 65000);
    EXPECT_EQ(state.scanPosition, 65000);
    EXPECT_EQ(ExtractWord(state.line, state.scanPosition, options).size(), 5000);
    EXPECT_EQ(state.scanPosition, 70000);
    EXPECT_EQ(Count(longRun + u" tail"_s), u"tail:1");
    EXPECT_EQ(run.lngTotalNumOccurrences, 1);
}

TEST_F(LineScanner, WordsAtTheCapAreRejectedAndTheRestIsScanned) {
    QString text(64999, u'b');
    text += u"cat";  // 65,002 letters: a candidate of 65,000, then "at"
    text += u" dog";
    EXPECT_EQ(Count(text), u"dog:1");
}

TEST_F(LineScanner, BadInputNeverCrashesOrLoops) {
    SetCommentMarkers(markers, kModeHtml);
    markers.characterEntities = true;
    const QStringList lines = {
        u"<script unclosed"_s,
        u"still <b> script"_s,
        u"</script> text & more &"_s,
        u"&#"_s,
        u"&"_s,
        QString(70000, u'x'),
        QString(QChar(0)) + u"nul\u0001ctl\u001Fend"_s,
        QString(QChar(0xD800)) + u"lone"_s + QChar(0xDC00) + u"surrogates"_s + QChar(0xDBFF),
        u"上海 中文 \u4E2D\u6587 emoji \U0001F600 done"_s,
        u"<!-- open comment"_s,
        u"--> after &amp"_s,
    };
    for (const QString& line : lines) Feed(line);
    SealWordTable(run);
    EXPECT_GT(run.lngNumWords, 0);
    EXPECT_GT(FindWord(run.WordTable, u"after", run.lngNumWords).position, 0);
    EXPECT_GT(FindWord(run.WordTable, u"text", run.lngNumWords).position, 0);
}

TEST_F(LineScanner, CandidatesWithoutSentinelStillEnd) {
    state.line = u"plain words"_s;  // no blank appended
    Scan();
    SealWordTable(run);
    EXPECT_EQ(Table(), u"plain:1 words:1");
}

TEST_F(LineScanner, ReadingContextAddsWithoutCounting) {
    SetCommentMarkers(markers, kModeC);
    context = ScanContext::ReadingCommonWords;
    EXPECT_EQ(Count({u"the and /* comment */ 4you e-mail"_s, u"// note"_s, u"don't"_s}),
              u"4you:1 and:1 don't:1 e-mail:1 the:1");
    EXPECT_EQ(run.lngTotalNumOccurrences, 0);
}

TEST_F(LineScanner, OverflowOfTheOccurrenceCountIsRaised) {
    run.lngTotalNumOccurrences = std::numeric_limits<qint32>::max();
    state.line = u"word "_s;
    try {
        Scan();
        FAIL() << "no overflow raised";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number, 6);
        EXPECT_EQ(e.description, u"Overflow");
    }
    EXPECT_EQ(run.lngTotalNumOccurrences, std::numeric_limits<qint32>::max());
}

}  // namespace
}  // namespace lxt::test

#include "results/listing_formats.h"

#include <algorithm>

#include "run/run_state.h"

namespace lxt {

namespace {

const QString kRankTitle = QStringLiteral("Rank");
const QString kFreqTitle = QStringLiteral("Freq");
const QString kWordTitle = QStringLiteral("Word");
const QString kLongestBefore = QStringLiteral(" (longest has ");
const QString kLongestAfter = QStringLiteral(" characters)");

const QString kOne = QStringLiteral(" ");
const QString kTwo = QStringLiteral("  ");
const QString kCommaTwo = QStringLiteral(",  ");

QString TrimTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ') --end;
    return text.left(end);
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    while (begin < text.size() && text.at(begin) == u' ') ++begin;
    return TrimTrailingBlanks(text.mid(begin));
}

// Formats whose word is not the last column: in layout B the word carries its own ", ".
bool WordInsideLine(int format) {
    return format == 1 || format == 6 || format == 7;
}

// Formats whose word is the last column: their header names the longest word.
bool WordLastColumn(int format) {
    return format == 0 || format == 3 || format == 5 || format == 8 || format == 9;
}

}  // namespace

QStringList WordOrderChoices() {
    return {QStringLiteral("by frequency"), QStringLiteral("alphabetical")};
}

QStringList DisplayFormatChoices() {
    return {QStringLiteral("rank frequency word"),
            QStringLiteral("rank word frequency"),
            QStringLiteral("rank frequency"),
            QStringLiteral("rank word"),
            QStringLiteral("frequency rank"),
            QStringLiteral("frequency word"),
            QStringLiteral("word rank"),
            QStringLiteral("word frequency"),
            QStringLiteral("word"),
            QStringLiteral("word (+ commas)")};
}

QStringList ThresholdChoices() {
    QStringList items;
    for (int t = 2; t <= 9; ++t) items << QString::number(t);
    return items;
}

int DigitCount(qint64 n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

LineStyle ColumnWidthsFor(RunState& run, int format, bool commas) {
    LineStyle style;
    style.format = format;
    style.commas = commas;
    run.intRankWidth = std::max(DigitCount(run.lngNumWordsIncluded), run.intMinWidth);
    run.intFreqWidth = std::max(DigitCount(run.lngMaxFrequency), run.intMinWidth);
    style.intRankWidth = run.intRankWidth;
    style.intFreqWidth = run.intFreqWidth;
    style.intWordWidth = std::max(run.intMaxWordLengthFound, run.intMinWidth);
    return style;
}

QString RankField(const RunState& run, qint32 i, const LineStyle& style) {
    const QString text = i == 0 ? kRankTitle : QString::number(run.WordTable[i].lngRank);
    return text.rightJustified(style.intRankWidth, u' ');
}

QString FreqField(const RunState& run, qint32 i, const LineStyle& style) {
    const QString text = i == 0 ? kFreqTitle : QString::number(run.WordTable[i].lngFrequency);
    return text.rightJustified(style.intFreqWidth, u' ');
}

QString WordField(const RunState& run, qint32 i, const LineStyle& style) {
    const QString word = i == 0 ? kWordTitle : TrimBlanks(run.WordTable[i].strWord);
    if (style.commas && WordInsideLine(style.format)) {
        return TrimTrailingBlanks(word) + QString::fromUtf16(kWordSeparator);
    }
    return word.leftJustified(style.intWordWidth, u' ');
}

QString BuildLine(const RunState& run, qint32 i, const LineStyle& style) {
    const int f = style.format;
    QString line;
    if (f == kFormatWordOnly || f == kFormatWordsWithCommas) {
        line = TrimBlanks(WordField(run, i, style));
    } else {
        const QString r = (f == 5 || f == 7) ? QString() : RankField(run, i, style);
        const QString q = (f == 3 || f == 6) ? QString() : FreqField(run, i, style);
        const QString w = (f == 2 || f == 4) ? QString() : WordField(run, i, style);
        const QString lead = style.commas ? kTwo : kOne;
        const QString sep = style.commas ? kCommaTwo : kTwo;
        switch (f) {
            case 0:
                line = lead + r + sep + q + sep + TrimTrailingBlanks(w);
                break;
            case 1:
                line = style.commas ? lead + r + sep + w + q : lead + r + sep + w + sep + q;
                break;
            case 2:
                line = lead + r + sep + q;
                break;
            case 3:
                line = lead + r + sep + TrimTrailingBlanks(w);
                break;
            case 4:
                line = lead + q + sep + r;
                break;
            case 5:
                line = kTwo + q + sep + TrimTrailingBlanks(w);
                break;
            case 6:
                line = style.commas ? kTwo + w + r : kTwo + w + kOne + r;
                break;
            default:
                line = style.commas ? kTwo + w + q : kTwo + w + kOne + q;
                break;  // 7
        }
    }
    if (i == 0 && WordLastColumn(f)) {
        line = TrimTrailingBlanks(line) + kLongestBefore +
               QString::number(run.intMaxWordLengthFound) + kLongestAfter;
    }
    if (f == kFormatWordOnly) line = TrimBlanks(line);
    return line;
}

int DisplayFormatOf(const RunState& run) {
    const int f = run.settings.cboDisplayFormat;
    return f >= 0 && f < kNumDisplayFormats ? f : kDefaultDisplayFormat;
}

}  // namespace lxt

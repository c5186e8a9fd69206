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

namespace {

void AppendBlanks(QString& out, qsizetype count) {
    if (count <= 0) return;
    const qsizetype at = out.size();
    out.resize(at + count);
    std::fill_n(out.data() + at, count, QChar(u' '));
}

// n in decimal digits, right-justified in `width` characters as QString::number and
// rightJustified make it.
void AppendNumber(QString& out, qint64 n, int width) {
    char16_t digits[24];
    int length = 0;
    quint64 v = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    do {
        digits[length++] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (n < 0) digits[length++] = u'-';
    const qsizetype at = out.size();
    const qsizetype pad = std::max(width - length, 0);
    out.resize(at + pad + length);
    QChar* dst = out.data() + at;
    for (qsizetype k = 0; k < pad; ++k) dst[k] = u' ';
    for (int k = 0; k < length; ++k) dst[pad + k] = QChar(digits[length - 1 - k]);
}

void AppendRightJustified(QString& out, QStringView text, int width) {
    AppendBlanks(out, width - text.size());
    out.append(text);
}

// The word of entry i without blanks at either end (the title for the header).
QStringView BareWord(const RunState& run, qint32 i) {
    QStringView word = i == 0 ? QStringView(kWordTitle) : QStringView(run.WordTable[i].strWord);
    qsizetype begin = 0;
    qsizetype end = word.size();
    while (begin < end && word[begin] == u' ') ++begin;
    while (end > begin && word[end - 1] == u' ') --end;
    return word.sliced(begin, end - begin);
}

// Removes the blanks at the end of out, not before `start`.
void ChopTrailingBlanks(QString& out, qsizetype start) {
    qsizetype end = out.size();
    while (end > start && out.at(end - 1) == u' ') --end;
    out.truncate(end);
}

}  // namespace

void AppendLine(QString& out, const RunState& run, qint32 i, const LineStyle& style) {
    const int f = style.format;
    const qsizetype start = out.size();
    const QStringView word = BareWord(run, i);
    auto rank = [&]() {
        if (i == 0) {
            AppendRightJustified(out, kRankTitle, style.intRankWidth);
        } else {
            AppendNumber(out, run.WordTable[i].lngRank, style.intRankWidth);
        }
    };
    auto freq = [&]() {
        if (i == 0) {
            AppendRightJustified(out, kFreqTitle, style.intFreqWidth);
        } else {
            AppendNumber(out, run.WordTable[i].lngFrequency, style.intFreqWidth);
        }
    };
    // The word column: padded to its width, or followed by ", " in layout B.
    auto wordColumn = [&]() {
        out.append(word);
        if (style.commas && WordInsideLine(f)) {
            out.append(QStringView(kWordSeparator));
        } else {
            AppendBlanks(out, style.intWordWidth - word.size());
        }
    };
    if (f == kFormatWordOnly || f == kFormatWordsWithCommas) {
        out.append(word);
    } else {
        const QString& lead = style.commas ? kTwo : kOne;
        const QString& sep = style.commas ? kCommaTwo : kTwo;
        switch (f) {
            case 0:
                out.append(lead);
                rank();
                out.append(sep);
                freq();
                out.append(sep);
                out.append(word);  // the word column without its trailing blanks
                break;
            case 1:
                out.append(lead);
                rank();
                out.append(sep);
                wordColumn();
                if (!style.commas) out.append(sep);
                freq();
                break;
            case 2:
                out.append(lead);
                rank();
                out.append(sep);
                freq();
                break;
            case 3:
                out.append(lead);
                rank();
                out.append(sep);
                out.append(word);
                break;
            case 4:
                out.append(lead);
                freq();
                out.append(sep);
                rank();
                break;
            case 5:
                out.append(kTwo);
                freq();
                out.append(sep);
                out.append(word);
                break;
            case 6:
                out.append(kTwo);
                wordColumn();
                if (!style.commas) out.append(kOne);
                rank();
                break;
            default:  // 7
                out.append(kTwo);
                wordColumn();
                if (!style.commas) out.append(kOne);
                freq();
                break;
        }
    }
    if (i == 0 && WordLastColumn(f)) {
        ChopTrailingBlanks(out, start);
        out.append(kLongestBefore);
        AppendNumber(out, run.intMaxWordLengthFound, 0);
        out.append(kLongestAfter);
    }
    if (f == kFormatWordOnly) {
        ChopTrailingBlanks(out, start);
        qsizetype first = start;
        while (first < out.size() && out.at(first) == u' ') ++first;
        if (first > start) out.remove(start, first - start);
    }
}

QString BuildLine(const RunState& run, qint32 i, const LineStyle& style) {
    QString line;
    AppendLine(line, run, i, style);
    return line;
}

int DisplayFormatOf(const RunState& run) {
    const int f = run.settings.cboDisplayFormat;
    return f >= 0 && f < kNumDisplayFormats ? f : kDefaultDisplayFormat;
}

}  // namespace lxt

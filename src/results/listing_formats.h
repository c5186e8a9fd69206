// The lines of a word listing: the texts of the word-order, display-format and threshold
// lists, the column widths, the three fields and the ten display formats in their two
// layouts (columns separated by blanks, or by commas for a spreadsheet). Building a line
// depends only on the table, the counters and the chosen format; delivering it is
// word_listing's job.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lxt {

struct RunState;

// cboWordOrder.
inline constexpr int kWordOrderByFrequency = 0;
inline constexpr int kWordOrderAlphabetical = 1;
inline constexpr int kDefaultWordOrder = kWordOrderByFrequency;
// cboDisplayFormat: 0 "rank frequency word" ... 9 "word (+ commas)".
inline constexpr int kNumDisplayFormats = 10;
inline constexpr int kDefaultDisplayFormat = 0;
inline constexpr int kFormatWordOnly = 8;
inline constexpr int kFormatWordsWithCommas = 9;
// cboThresholdFrequency: "2" ... "9"; the threshold is the index plus kThresholdOffset.
inline constexpr int kDefaultThresholdIndex = 0;
inline constexpr int kThresholdOffset = 2;

// The items of the three choice lists, in list order (FillListChoices fills them).
QStringList WordOrderChoices();
QStringList DisplayFormatChoices();
QStringList ThresholdChoices();

// Separators of the two layouts and of format 9.
inline constexpr char16_t kWordSeparator[] = u", ";

// The number of decimal digits of n (n >= 0).
int DigitCount(qint64 n);

// What a line is built for.
struct LineStyle {
    int format = kDefaultDisplayFormat;  // 0..9
    bool commas = false;                 // layout B: the output file with commas chosen
    int intRankWidth = 0;
    int intFreqWidth = 0;
    int intWordWidth = 0;
};

// The widths of a listing of the current table: digits of lngNumWordsIncluded, of
// lngMaxFrequency, and intMaxWordLengthFound, each at least intMinWidth. Stores the rank
// and frequency widths in run as well.
LineStyle ColumnWidthsFor(RunState& run, int format, bool commas);

// The fields of entry i (0 = the header).
QString RankField(const RunState& run, qint32 i, const LineStyle& style);
QString FreqField(const RunState& run, qint32 i, const LineStyle& style);
QString WordField(const RunState& run, qint32 i, const LineStyle& style);

// The whole line of entry i (0 = the header, with " (longest has N characters)" when the
// word is the last column). Format 8 lines carry no blanks at either end; format 9 lines
// are the bare word.
QString BuildLine(const RunState& run, qint32 i, const LineStyle& style);
// BuildLine's line appended to `out` (no temporary strings).
void AppendLine(QString& out, const RunState& run, qint32 i, const LineStyle& style);
// The same line, followed by `lineEnd`, appended to `out` as bytes, in UTF-8 (utf8) or else
// Windows-1252.
void AppendLineBytes(QByteArray& out, const RunState& run, qint32 i, const LineStyle& style,
                     bool utf8, QStringView lineEnd = {});
// `text` appended to `out` as bytes, encoded as AppendLineBytes encodes a line.
void AppendTextBytes(QByteArray& out, QStringView text, bool utf8);

// The format index in force (an index outside 0..9 counts as the default).
int DisplayFormatOf(const RunState& run);

}  // namespace lxt

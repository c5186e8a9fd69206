#include "results/listing_formats.h"

#include <algorithm>
#include <memory>

#include "run/run_state.h"
#include "support/str_proc.h"
#include "support/text_literals.h"
#include "support/win1252.h"

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
    const QString text = i == 0 ? kRankTitle : QString::number(run.WordTable[i].rank);
    return text.rightJustified(style.intRankWidth, u' ');
}

QString FreqField(const RunState& run, qint32 i, const LineStyle& style) {
    const QString text = i == 0 ? kFreqTitle : QString::number(run.WordTable[i].frequency);
    return text.rightJustified(style.intFreqWidth, u' ');
}

QString WordField(const RunState& run, qint32 i, const LineStyle& style) {
    const QString word = i == 0 ? kWordTitle : TrimBlanks(run.WordTable[i].Word().toString());
    if (style.commas && WordInsideLine(style.format)) {
        return TrimTrailingBlanks(word) + QString::fromUtf16(kWordSeparator);
    }
    return word.leftJustified(style.intWordWidth, u' ');
}

namespace {

// The characters of one line, gathered on the stack and handed to the output string at
// once. The room is reserved up front: `room` bounds the line's length.
class LineChars {
  public:
    explicit LineChars(qsizetype room)
        : heap_(room > kStackRoom ? new char16_t[size_t(room)] : nullptr),
          begin_(reinterpret_cast<QChar*>(heap_ ? heap_.get() : stack_)),
          end_(begin_) {}
    void Add(QStringView text) {
        std::copy_n(text.data(), text.size(), end_);
        end_ += text.size();
    }
    void Blanks(qsizetype count) {
        for (; count > 0; --count) *end_++ = QChar(u' ');
    }
    // n in decimal digits, right-justified in `width` characters as QString::number and
    // rightJustified make it.
    void Number(qint64 n, int width) {
        QChar digits[24];
        int length = 0;
        quint64 v = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
        do {
            digits[length++] = QChar(static_cast<char16_t>(u'0' + v % 10));
            v /= 10;
        } while (v != 0);
        if (n < 0) digits[length++] = QChar(u'-');
        Blanks(width - length);
        while (length > 0) *end_++ = digits[--length];
    }
    void RightJustified(QStringView text, int width) {
        Blanks(width - text.size());
        Add(text);
    }
    void ChopTrailingBlanks() {
        while (end_ > begin_ && end_[-1] == u' ') --end_;
    }
    // The characters gathered; leading blanks are left out when `trimFront` is set.
    QStringView View(bool trimFront) const {
        const QChar* first = begin_;
        if (trimFront) {
            while (first < end_ && *first == u' ') ++first;
        }
        return QStringView(first, end_ - first);
    }

  private:
    static constexpr qsizetype kStackRoom = 256;
    char16_t stack_[kStackRoom];  // left uninitialised: only what is written is read
    std::unique_ptr<char16_t[]> heap_;
    QChar* begin_;
    QChar* end_;
};

// The word of entry i without blanks at either end (the title for the header).
QStringView BareWord(const RunState& run, qint32 i) {
    QStringView word = i == 0 ? QStringView(kWordTitle) : run.WordTable[i].Word();
    qsizetype begin = 0;
    qsizetype end = word.size();
    while (begin < end && word[begin] == u' ') ++begin;
    while (end > begin && word[end - 1] == u' ') --end;
    return word.sliced(begin, end - begin);
}

// Room for the word, the three padded columns, the separators and the header's
// " (longest has N characters)".
qsizetype LineRoom(QStringView word, const LineStyle& style) {
    constexpr qsizetype kFixedRoom = 128;
    return word.size() + std::max(style.intWordWidth, 0) + std::max(style.intRankWidth, 0) +
           std::max(style.intFreqWidth, 0) + kFixedRoom;
}

// Gathers the line of entry i in `line` and gives its characters.
QStringView GatherLine(LineChars& line, QStringView word, const RunState& run, qint32 i,
                       const LineStyle& style) {
    const int f = style.format;
    auto rank = [&]() {
        if (i == 0) {
            line.RightJustified(kRankTitle, style.intRankWidth);
        } else {
            line.Number(run.WordTable[i].rank, style.intRankWidth);
        }
    };
    auto freq = [&]() {
        if (i == 0) {
            line.RightJustified(kFreqTitle, style.intFreqWidth);
        } else {
            line.Number(run.WordTable[i].frequency, style.intFreqWidth);
        }
    };
    // The word column: padded to its width, or followed by ", " in layout B.
    auto wordColumn = [&]() {
        line.Add(word);
        if (style.commas && WordInsideLine(f)) {
            line.Add(QStringView(kWordSeparator));
        } else {
            line.Blanks(style.intWordWidth - CharacterCount(word));
        }
    };
    if (f == kFormatWordOnly || f == kFormatWordsWithCommas) {
        line.Add(word);
    } else {
        const QStringView lead = style.commas ? kTwo : kOne;
        const QStringView sep = style.commas ? kCommaTwo : kTwo;
        switch (f) {
            case 0:
                line.Add(lead);
                rank();
                line.Add(sep);
                freq();
                line.Add(sep);
                line.Add(word);  // the word column without its trailing blanks
                break;
            case 1:
                line.Add(lead);
                rank();
                line.Add(sep);
                wordColumn();
                if (!style.commas) line.Add(sep);
                freq();
                break;
            case 2:
                line.Add(lead);
                rank();
                line.Add(sep);
                freq();
                break;
            case 3:
                line.Add(lead);
                rank();
                line.Add(sep);
                line.Add(word);
                break;
            case 4:
                line.Add(lead);
                freq();
                line.Add(sep);
                rank();
                break;
            case 5:
                line.Add(kTwo);
                freq();
                line.Add(sep);
                line.Add(word);
                break;
            case 6:
                line.Add(kTwo);
                wordColumn();
                if (!style.commas) line.Add(kOne);
                rank();
                break;
            default:  // 7
                line.Add(kTwo);
                wordColumn();
                if (!style.commas) line.Add(kOne);
                freq();
                break;
        }
    }
    if (i == 0 && WordLastColumn(f)) {
        line.ChopTrailingBlanks();
        line.Add(kLongestBefore);
        line.Number(run.intMaxWordLengthFound, 0);
        line.Add(kLongestAfter);
    }
    if (f == kFormatWordOnly) line.ChopTrailingBlanks();
    return line.View(f == kFormatWordOnly);
}

// The bytes of `text` in UTF-8 (utf8) or Windows-1252 appended to `out`; ASCII, the usual
// case, is narrowed unit by unit in one pass.
void AppendEncoded(QByteArray& out, QStringView text, bool utf8) {
    const qsizetype at = out.size();
    const qsizetype n = text.size();
    const char16_t* units = text.utf16();
    char16_t all = 0;
    for (qsizetype k = 0; k < n; ++k) all |= units[k];
    out.resize(at + n);
    char* dst = out.data() + at;
    if (all < 0x80) {
        for (qsizetype k = 0; k < n; ++k) dst[k] = static_cast<char>(units[k]);
        return;
    }
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t u = units[k];
        if (u < 0x80) {
            dst[k] = static_cast<char>(u);
        } else if (!utf8) {
            dst[k] = static_cast<char>(Win1252Code(text[k]));
        } else {
            out.resize(at + k);
            out.append(text.sliced(k).toUtf8());
            return;
        }
    }
}

}  // namespace

void AppendLine(QString& out, const RunState& run, qint32 i, const LineStyle& style) {
    const QStringView word = BareWord(run, i);
    LineChars line(LineRoom(word, style));
    out.append(GatherLine(line, word, run, i, style));
}

void AppendLineBytes(QByteArray& out, const RunState& run, qint32 i, const LineStyle& style,
                     bool utf8, QStringView lineEnd) {
    const QStringView word = BareWord(run, i);
    LineChars line(LineRoom(word, style) + lineEnd.size());
    const QStringView gathered = GatherLine(line, word, run, i, style);
    if (lineEnd.isEmpty()) {
        AppendEncoded(out, gathered, utf8);
        return;
    }
    // The line end follows the line's characters (leading blanks of the word-only format are
    // left out of the view, never trailing ones), so that the two are encoded at once.
    line.Add(lineEnd);
    AppendEncoded(out, QStringView(gathered.data(), gathered.size() + lineEnd.size()), utf8);
}

void AppendTextBytes(QByteArray& out, QStringView text, bool utf8) {
    AppendEncoded(out, text, utf8);
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

#include "settings/settings_file.h"

#include <QFile>
#include <cerrno>
#include <cmath>
#include <optional>

#include "support/atomic_file_write.h"
#include "support/catalogue.h"
#include "support/file_proc.h"
#include "support/folder_proc.h"
#include "support/line_ends.h"
#include "support/native_file.h"
#include "support/win1252.h"

namespace lxt {

namespace {

constexpr char16_t kQuote = u'"';
constexpr char kLineEnd[] = "\r\n";

enum class FieldKind {
    Text,       // a quoted text
    Reserved,   // written as 0, ignored when read
    CheckBox,   // 0, 1 or 2
    ListIndex,  // -1 or an index of the list
};

struct LineLayout {
    FieldKind kind;
    int listItems = 0;  // ListIndex only
};

// What each line holds, 1-based (entry 0 unused).
LineLayout LayoutOf(int line) {
    switch (line) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 37:
            return {FieldKind::Text};
        case 10:
            return {FieldKind::ListIndex, kThresholdItems};
        case 35:
            return {FieldKind::ListIndex, kWordOrderItems};
        case 36:
            return {FieldKind::ListIndex, kDisplayFormatItems};
        case 12:
        case 13:
        case 17:
        case 18:
        case 19:
        case 20:
        case 27:
        case 28:
        case 30:
        case 31:
        case 32:
        case 33:
        case 34:
        case 38:
        case 39:
            return {FieldKind::CheckBox};
        default:
            return {FieldKind::Reserved};
    }
}

// Lines read as 16-bit numbers directly; the other number lines are read as text first.
bool ReadAsNumber(int line) {
    return line == 8 || line == 9 || line == 10 || line == 35 || line == 36;
}

// The text field of `line`, or null for a number line.
const QString* TextField(int line, const Settings& s) {
    switch (line) {
        case 1:
            return &s.txbFile[0];
        case 2:
            return &s.txbFile[1];
        case 3:
            return &s.txbWordsToIgnore;
        case 4:
            return &s.txbStartComment[0];
        case 5:
            return &s.txbEndComment[0];
        case 6:
            return &s.txbStartComment[1];
        case 7:
            return &s.txbEndComment[1];
        case 37:
            return &s.strCommonWordsFile;
        default:
            return nullptr;
    }
}

QString* TextField(int line, Settings& s) {
    return const_cast<QString*>(TextField(line, static_cast<const Settings&>(s)));
}

// The number field of `line`, or null for a text or reserved line.
const int* NumberField(int line, const Settings& s) {
    switch (line) {
        case 10:
            return &s.cboThresholdFrequency;
        case 12:
            return &s.chkIgnoreInfrequentWords;
        case 13:
            return &s.chkIgnoreCommonWords;
        case 17:
            return &s.chkCaseSignificant;
        case 18:
            return &s.chkDropFinalS;
        case 19:
            return &s.chkAllowWordsWithHyphens;
        case 20:
            return &s.chkAllowWordsWithApostrophes;
        case 27:
            return &s.chkAllowWordsWithNumerals;
        case 28:
            return &s.chkOutputWithCommas;
        case 30:
            return &s.chkAllowCommentMarkers;
        case 31:
            return &s.chkWarnOnOverwrite;
        case 32:
            return &s.chkSaveStateOnQuit;
        case 33:
            return &s.chkSuppressWords;
        case 34:
            return &s.chkDisableOutputToFile;
        case 35:
            return &s.cboWordOrder;
        case 36:
            return &s.cboDisplayFormat;
        case 38:
            return &s.chkOnly7bitASCII;
        case 39:
            return &s.chkIgnoreNoVowel;
        default:
            return nullptr;
    }
}

int* NumberField(int line, Settings& s) {
    return const_cast<int*>(NumberField(line, static_cast<const Settings&>(s)));
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Splits the file's text into comma-delimited fields, one at a time.
class FieldReader {
  public:
    explicit FieldReader(QString text) : text_(std::move(text)) {}

    // The next field, or nothing at the end of the text.
    std::optional<QString> Next() {
        const qsizetype n = text_.size();
        while (pos_ < n && IsBlank(text_[pos_])) ++pos_;
        if (pos_ >= n) return std::nullopt;
        QString field;
        if (text_[pos_] == kQuote) {
            ++pos_;
            while (pos_ < n) {
                if (text_[pos_] == kQuote) {
                    // A doubled quote stands for one quote inside the text.
                    if (pos_ + 1 < n && text_[pos_ + 1] == kQuote) {
                        field += kQuote;
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                field += text_[pos_++];
            }
            // Whatever follows the closing quote up to the delimiter is skipped.
            while (pos_ < n && text_[pos_] != u',' && !IsLineEnd(text_[pos_])) ++pos_;
        } else {
            const qsizetype start = pos_;
            while (pos_ < n && text_[pos_] != u',' && !IsLineEnd(text_[pos_])) ++pos_;
            field = text_.mid(start, pos_ - start);
            while (!field.isEmpty() && IsBlank(field.back())) field.chop(1);
        }
        SkipDelimiter();
        return field;
    }

  private:
    void SkipDelimiter() {
        const qsizetype n = text_.size();
        if (pos_ >= n) return;
        if (text_[pos_] == u',') {
            ++pos_;
        } else if (IsLineEnd(text_[pos_])) {
            pos_ += LineEndLength(text_, pos_);
        }
    }

    QString text_;
    qsizetype pos_ = 0;
};

// The longest leading decimal number of `text` (sign, digits, fraction), and how many
// characters it took; 0 characters when there is none.
double LeadingNumber(const QString& text, qsizetype& used) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0) {
        used = 0;
        return 0.0;
    }
    used = i;
    return text.mid(start, i - start).toDouble();
}

// Rounds to the nearest 16-bit integer, halves to even; no value when out of range.
std::optional<int> RoundTo16Bit(double value) {
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<int>(rounded);
}

QString QuotedText(const QString& text) {
    QString doubled = text;
    doubled.replace(QString(kQuote), QStringLiteral("\"\""));
    return QString(kQuote) + doubled + QString(kQuote);
}

}  // namespace

QString StateFilePath() {
    return SettingsFilePath(QString::fromLatin1(kStateFileName), Message(kMsgUserFolderName));
}

QByteArray SettingsFileBytes(const Settings& settings) {
    QByteArray bytes;
    for (int line = 1; line <= kSettingsFileLines; ++line) {
        if (const QString* text = TextField(line, settings)) {
            bytes += EncodeWin1252(QuotedText(*text));
        } else if (const int* number = NumberField(line, settings)) {
            bytes += QByteArray::number(*number);
        } else {
            bytes += '0';
        }
        bytes += kLineEnd;
    }
    return bytes;
}

QString SaveState(const Settings& settings, const QString& path) {
    const QString target = path.isEmpty() ? StateFilePath() : path;
    const QString prefix = QString::fromLatin1(kSaveErrorPrefix);
    if (IsSpecialFile(target)) return prefix + QString::fromLatin1(kNotRegularFileText);
    const QString error = WriteFileAtomically(target, SettingsFileBytes(settings));
    return error.isEmpty() ? QString() : prefix + error;
}

RestoredSettings RestoreSavedState(const QString& path, const Settings& current) {
    RestoredSettings result;
    result.settings = current;
    const QString source = path.isEmpty() ? StateFilePath() : path;
    const QString prefix = QString::fromLatin1(kRestoreErrorPrefix);

    if (IsSpecialFile(source)) {
        result.errorText = prefix + QString::fromLatin1(kNotRegularFileText);
        return result;
    }
    QFile file;
    if (!OpenFile(file, source, QIODevice::ReadOnly)) {
        result.errorText = prefix + SystemErrorText(errno);
        return result;
    }
    // A file larger than any settings file is refused before it is read whole.
    const QByteArray bytes = file.read(kMaxSettingsFileBytes + 1);
    if (bytes.size() > kMaxSettingsFileBytes) {
        result.errorText = prefix + QString::fromLatin1(kSettingsFileTooLarge);
        return result;
    }
    if (file.error() != QFileDevice::NoError) {
        result.errorText = prefix + file.errorString();
        return result;
    }
    file.close();

    FieldReader reader(DecodeWin1252(bytes));
    auto refuse = [&](const char* description) {
        result.errorText = prefix + QString::fromLatin1(description);
        return result;
    };
    for (int line = 1; line <= kSettingsFileLines; ++line) {
        const std::optional<QString> field = reader.Next();
        if (!field) return refuse(kInputPastEndOfFile);
        const LineLayout layout = LayoutOf(line);
        if (layout.kind == FieldKind::Text) {
            *TextField(line, result.settings) = *field;
            if (line == 37) result.settings.txbCommonWordsFile = *field;
            result.linesApplied = line;
            continue;
        }

        int value = 0;
        if (ReadAsNumber(line)) {
            qsizetype used = 0;
            const double number = LeadingNumber(*field, used);
            if (used != field->size() && !field->trimmed().isEmpty()) return refuse(kTypeMismatch);
            const std::optional<int> rounded = RoundTo16Bit(number);
            if (!rounded) return refuse(kOverflow);
            value = *rounded;
        } else if (layout.kind != FieldKind::Reserved) {
            qsizetype used = 0;
            const std::optional<int> rounded = RoundTo16Bit(LeadingNumber(*field, used));
            if (!rounded) return refuse(kOverflow);
            value = *rounded;
        }

        switch (layout.kind) {
            case FieldKind::CheckBox:
                if (value < 0 || value > 2) return refuse(kInvalidPropertyValue);
                *NumberField(line, result.settings) = value;
                break;
            case FieldKind::ListIndex:
                if (value < -1 || value >= layout.listItems) return refuse(kInvalidPropertyValue);
                *NumberField(line, result.settings) = value;
                break;
            case FieldKind::Reserved:
            case FieldKind::Text:
                break;
        }
        result.linesApplied = line;
    }

    const Settings& s = result.settings;
    if (s.cboDisplayFormat < 0 || s.cboWordOrder < 0 || s.cboThresholdFrequency < 0)
        result.errorText = QString::fromLatin1(kInvalidComboBoxIndex);
    return result;
}

void ApplySettingsLine(int line, const Settings& from, Settings& to) {
    if (const QString* text = TextField(line, from)) {
        *TextField(line, to) = *text;
        if (line == 37) to.txbCommonWordsFile = from.strCommonWordsFile;
        return;
    }
    if (const int* number = NumberField(line, from)) *NumberField(line, to) = *number;
}

}  // namespace lxt

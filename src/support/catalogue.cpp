#include "support/catalogue.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <new>

#include "support/line_ends.h"
#include "support/str_proc.h"

// The catalogue file lxt.dat is UTF-8 text. Lines starting with "#" and blank lines are
// comments. Every other line holds one text: its number (1 to 32767), a TAB, its language
// index (0 English, 1, 2), a TAB and the text. In the text, "\n" stands for a line break
// (CR LF), "\t" for a TAB and "\\" for a backslash; the text "~" stands for an empty text.

namespace lxt {

namespace {

constexpr int kMaxMessageNumber = 32767;
constexpr int kLanguageCount = 3;
constexpr qint64 kMaxCatalogueBytes = 4 * 1024 * 1024;
const QString kEmptyTextMarker = QStringLiteral("~");
const QString kCatalogueFileName = QStringLiteral("lxt.dat");

QHash<int, QString>& Texts() {
    static QHash<int, QString> texts;
    return texts;
}

int g_currentLanguage = kLanguageEnglish;

int Key(int number, int language) {
    return number * kLanguageCount + language;
}

// The text of a catalogue line with its escapes replaced.
QString Unescape(QStringView raw) {
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != u'\\' || i + 1 == raw.size()) {
            out.append(raw[i]);
            continue;
        }
        const QChar next = raw[i + 1];
        if (next == u'n') {
            out.append(u"\r\n");
        } else if (next == u't') {
            out.append(u'\t');
        } else if (next == u'\\') {
            out.append(u'\\');
        } else {
            out.append(raw[i]);
            continue;
        }
        ++i;
    }
    return out;
}

// A whole number of plain digits within [low, high], or -1.
int Field(QStringView field, int low, int high) {
    if (field.isEmpty() || field.size() > 6) return -1;
    int value = 0;
    for (QChar c : field) {
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value >= low && value <= high ? value : -1;
}

int Parse(const QString& content, QHash<int, QString>& texts) {
    const QList<QStringView> lines = SplitLines(content);
    const qsizetype lineTotal = lines.size();
    if (lineTotal > kCatalogueMaxLines) return kCatalogueTooMuchText;
    for (qsizetype i = 0; i < lineTotal; ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const QStringView line = lines[i];
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype tab1 = line.indexOf(u'\t');
        const qsizetype tab2 = tab1 < 0 ? -1 : line.indexOf(u'\t', tab1 + 1);
        const int number = tab1 < 0 ? -1 : Field(line.left(tab1), 1, kMaxMessageNumber);
        const int language =
            tab2 < 0 ? -1 : Field(line.mid(tab1 + 1, tab2 - tab1 - 1), 0, kLanguageCount - 1);
        if (number < 0 || language < 0 || tab2 + 1 >= line.size()) {
            return kCatalogueMissingBase - lineNumber;
        }
        const QString text = Unescape(line.mid(tab2 + 1));
        if (text.size() > kMessageBufferLength) return kCatalogueTooLongBase - lineNumber;
        const int key = Key(number, language);
        if (texts.contains(key)) return kCatalogueDuplicateBase - lineNumber;
        texts.insert(key, text);
    }
    return static_cast<int>(texts.size());
}

}  // namespace

QString CataloguePath(const QString& programFolder) {
    if (programFolder.endsWith(PathSeparator()) || programFolder.endsWith(u'/')) {
        return programFolder + kCatalogueFileName;
    }
    return programFolder + PathSeparator() + kCatalogueFileName;
}

int LoadCatalogue(const QString& path) {
    Texts().clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return kCatalogueCannotOpen;
    if (file.size() == 0) return kCatalogueEmptyFile;
    if (file.size() > kMaxCatalogueBytes) return kCatalogueTooMuchText;
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) return kCatalogueReadError;
        if (bytes.isEmpty()) return kCatalogueEmptyFile;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString content = decoder.decode(bytes);
        if (decoder.hasError()) return kCatalogueReadError;
        QHash<int, QString> texts;
        const int result = Parse(content, texts);
        if (result > 0) Texts() = std::move(texts);
        return result;
    } catch (const std::bad_alloc&) {
        return kCatalogueMemoryError;
    }
}

QString CatalogueFailureText(int code, const QString& path) {
    const auto atLine = [](const char* text, int line) {
        return QString::fromLatin1(text) + u' ' + QString::number(line) + u'.';
    };
    switch (code) {
        case 0:
            return QStringLiteral("No program text was read.");
        case -1:
            return QStringLiteral("Cannot open file containing program text.\r\n") + path;
        case -2:
            return QStringLiteral("Particular memory allocation error.");
        case -3:
            return QStringLiteral("Too much program text.");
        case -4:
            return QStringLiteral("Text not recovered.");
        case -6:
            return QStringLiteral("File is empty.");
        case -7:
            return QStringLiteral("Error reading file.");
        case -8:
            return QStringLiteral("General memory allocation error.");
        default:
            break;
    }
    if (code > 0) return {};
    if (code < kCatalogueDuplicateBase) {
        return atLine("Duplicate in program text at line", -(code - kCatalogueDuplicateBase));
    }
    if (code < kCatalogueTooLongBase) {
        return atLine("String too long at line", -(code - kCatalogueTooLongBase));
    }
    if (code < kCatalogueMissingBase) {
        return atLine("Missing string at line", -(code - kCatalogueMissingBase));
    }
    return QStringLiteral("Error ") + QString::number(code);
}

QString Message(int number) {
    const auto it = Texts().constFind(Key(number, g_currentLanguage));
    if (it == Texts().constEnd() || *it == kEmptyTextMarker) return {};
    return it->left(kMessageBufferLength);
}

void SetCurrentLanguage(int languageIndex) {
    if (languageIndex >= kLanguageEnglish && languageIndex < kLanguageCount) {
        g_currentLanguage = languageIndex;
    }
}

int CurrentLanguage() {
    return g_currentLanguage;
}

}  // namespace lxt

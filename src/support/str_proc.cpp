#include "support/str_proc.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QSet>

#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "support/win1252.h"

namespace lxt {

namespace {

constexpr char16_t kUmlauts[] = u"ŒÄÆÖÜäæöüß";
constexpr char16_t kUmlautPairs[] = u"OeAeAeOeUeaeaeoeuess";
constexpr char16_t kAccented[] = u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝšÿàáâãäåçèéêëìíîïñòóôõöøùúûüý";
constexpr char16_t kUnaccented[] = u"SYAAAAAACEEEEIIIIDNOOOOOOUUUUYsyaaaaaaceeeeiiiinoooooouuuuy";

constexpr qsizetype Length(const char16_t* s) {
    qsizetype n = 0;
    while (s[n] != 0) ++n;
    return n;
}

static_assert(Length(kAccentedCapitals) == Length(kAccentedSmalls));
static_assert(Length(kAccented) == 59 && Length(kUnaccented) == 59);
static_assert(Length(kUmlautPairs) == 2 * Length(kUmlauts));

// Index of u in the zero-terminated list, or -1.
qsizetype IndexIn(const char16_t* list, char16_t u) {
    for (qsizetype i = 0; list[i] != 0; ++i) {
        if (list[i] == u) return i;
    }
    return -1;
}

// The lower case of every code unit up to U+052F, with the explicit capital table applied.
struct LowerTable {
    // Up to the end of Cyrillic, so that Greek and Cyrillic text is lowered from the table.
    std::array<char16_t, 0x530> chars{};
    LowerTable() {
        for (char16_t u = 0; u < chars.size(); ++u) chars[u] = QChar::toLower(u);
        chars[kCapitalIWithDot] = u'i';
        for (qsizetype i = 0; kAccentedCapitals[i] != 0; ++i) {
            chars[kAccentedCapitals[i]] = kAccentedSmalls[i];
        }
    }
};

const LowerTable& Lower() {
    static const LowerTable table;
    return table;
}

inline char16_t LowerOf(const LowerTable& table, char16_t u) {
    return u < table.chars.size() ? table.chars[u] : QChar::toLower(u);
}

// Lower-cases the character at d[i]: a code unit, or the surrogate pair d[i], d[i + 1] (a
// letter beyond the Basic Multilingual Plane). Gives back the code units it took.
int LowerOneAt(const LowerTable& table, char16_t* d, qsizetype i, qsizetype n) {
    if (!QChar::isHighSurrogate(d[i]) || i + 1 >= n || !QChar::isLowSurrogate(d[i + 1])) {
        d[i] = LowerOf(table, d[i]);
        return 1;
    }
    const char32_t lower = QChar::toLower(QChar::surrogateToUcs4(d[i], d[i + 1]));
    if (QChar::requiresSurrogates(lower)) {
        d[i] = QChar::highSurrogate(lower);
        d[i + 1] = QChar::lowSurrogate(lower);
    }
    return 2;
}

bool IsSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

qsizetype LastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (IsSeparator(path[i])) return i;
    }
    return -1;
}

// Replaces every occurrence of the two characters a, b by `by` (which may be empty).
void ReplacePair(QString& text, QChar a, QChar b, QStringView by) {
    const QChar pair[2] = {a, b};
    text.replace(pair, 2, by.data(), by.size());
}

const QChar kLead194(194);
const QChar kLead195(195);
constexpr char16_t kLead196 = 196;
constexpr char16_t kFunctionSign = 0x0192;  // Windows-1252 byte 131

// The sort-key fold of every code unit up to U+017F: one or two code units (the second
// 0 when there is none). Code units above are lower-cased only.
struct SortFoldTable {
    std::array<char16_t, 0x180> first{};
    std::array<char16_t, 0x180> second{};
    SortFoldTable() {
        for (char16_t u = 0; u < first.size(); ++u) {
            const QChar c(u);
            const QString folded = LowerCaseFull(SortFold(QStringView(&c, 1)));
            first[u] = folded.at(0).unicode();
            second[u] = folded.size() > 1 ? folded.at(1).unicode() : 0;
        }
    }
};

const SortFoldTable& SortFolds() {
    static const SortFoldTable table;
    return table;
}

bool InRange(int c, int low, int high) {
    return c >= low && c <= high;
}

// True when the lead `lead` stands right before `next` somewhere in text.
bool HasPair(QStringView text, char16_t lead, char16_t next) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i].unicode() == lead && text[i + 1].unicode() == next) return true;
    }
    return false;
}

// True when text holds a lead character of a two-byte sequence (194, 195 or 196).
bool HasLeadChar(QStringView text) {
    const auto* s = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype n = text.size();
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i lead194 = _mm_set1_epi16(194);
    const __m128i lead195 = _mm_set1_epi16(195);
    const __m128i lead196 = _mm_set1_epi16(kLead196);
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, lead194), _mm_cmpeq_epi16(v, lead195)),
                         _mm_cmpeq_epi16(v, lead196));
        if (_mm_movemask_epi8(hit) != 0) return true;
    }
#endif
    for (; i < n; ++i) {
        if (s[i] == 194 || s[i] == 195 || s[i] == kLead196) return true;
    }
    return false;
}

// Lead 194 by search and replace-all: 128-159 are removed with their lead (everywhere at
// once, and the search resumes where the pair stood), 160-191 stand for themselves.
QString RepairLead194Stepwise(const QString& text) {
    QString out = text;
    qsizetype p = out.indexOf(kLead194);
    while (p >= 0 && p < out.size() - 1) {
        const QChar next = out[p + 1];
        const int c = Win1252Byte(next);
        qsizetype from = p + 1;
        if (InRange(c, 128, 159)) {
            ReplacePair(out, kLead194, next, QStringView(u""));
            from = p;  // the pair is gone: what follows now stands at p
        } else if (InRange(c, 160, 191)) {
            const QChar single(c);
            ReplacePair(out, kLead194, next, QStringView(&single, 1));
        }
        p = out.indexOf(kLead194, from);
    }
    return out;
}

// Lead 195 by search and replace-all: 128-191 stand for U+00C0 to U+00FF.
QString RepairLead195Stepwise(const QString& text) {
    QString out = text;
    qsizetype p = out.indexOf(kLead195);
    while (p >= 0 && p < out.size() - 1) {
        const QChar next = out[p + 1];
        const int c = Win1252Byte(next);
        if (InRange(c, 128, 191)) {
            const QChar single(c + 64);
            ReplacePair(out, kLead195, next, QStringView(&single, 1));
        }
        p = out.indexOf(kLead195, p + 1);
    }
    return out;
}

// One pass from left to right over the pairs of `lead`: a pair whose second character has
// a byte in the drop range goes, one with a byte in the keep range becomes the character
// byte + offset; other characters stay. Equal to the stepwise repair whenever no change
// makes a new pair.
struct LeadRule {
    char16_t lead;
    int dropLow, dropHigh;
    int keepLow, keepHigh;
    int offset;
};

QString RepairLeadLinear(const QString& text, const LeadRule& rule) {
    const qsizetype n = text.size();
    const QChar* src = text.constData();
    QString out(n, Qt::Uninitialized);
    QChar* dst = out.data();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (src[i].unicode() == rule.lead && i + 1 < n) {
            const int c = Win1252Byte(src[i + 1]);
            if (InRange(c, rule.dropLow, rule.dropHigh)) {
                ++i;
                continue;
            }
            if (InRange(c, rule.keepLow, rule.keepHigh)) {
                dst[k++] = QChar(c + rule.offset);
                ++i;
                continue;
            }
        }
        dst[k++] = src[i];
    }
    out.truncate(k);
    return out;
}

QString RepairLead194(const QString& text) {
    if (!text.contains(kLead194)) return text;
    // Removing a pair right behind another lead 194 makes a new pair, which the stepwise
    // repair may take up again: those (rare) texts take the stepwise way.
    if (HasPair(text, 194, 194)) return RepairLead194Stepwise(text);
    return RepairLeadLinear(text, {194, 128, 159, 160, 191, 0});
}

QString RepairLead195(const QString& text) {
    if (!text.contains(kLead195)) return text;
    // Lead 195 with byte 131 becomes a new lead 195, which the stepwise repair takes up
    // again with the character after it.
    if (HasPair(text, 195, kFunctionSign)) return RepairLead195Stepwise(text);
    return RepairLeadLinear(text, {195, 1, 0, 128, 191, 64});
}

// The C1 control characters, which the repair of UTF-8 removes, and the c with caron, which
// it turns into c.
constexpr char16_t kFirstC1 = 0x80;
constexpr char16_t kLastC1 = 0x9F;
constexpr char16_t kSmallCCaron = 0x010D;

bool HasC1OrCaron(QStringView text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= kFirstC1 && u <= kLastC1) || u == kSmallCCaron) return true;
    }
    return false;
}

// The punctuation U+2010 to U+203A that the repair of UTF-8 replaces, and what replaces it
// (a null view for a character it keeps).
constexpr char16_t kFirstRepaired = 0x2010;
constexpr char16_t kLastRepaired = 0x203A;

QStringView PunctuationRepair(char16_t u) {
    static const QChar permille = Win1252Char(137);
    switch (u) {
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2013:
            return u"-";
        case 0x2014:
            return u" -- ";
        case 0x2015:
            return u"--";
        case 0x2016:
            return u"|";
        case 0x2017:
            return QStringView(&permille, 1);
        case 0x2018:
        case 0x2019:
        case 0x201A:
        case 0x201B:
            return u"'";
        case 0x201C:
        case 0x201D:
        case 0x201E:
        case 0x201F:
            return u"\"";
        case 0x2022:
            return u" . ";
        case 0x2026:
            return u"...";
        case 0x2039:
            return u"<";
        case 0x203A:
            return u">";
        default:
            return {};
    }
}

}  // namespace

QChar PathSeparator() {
#ifdef Q_OS_WIN
    return u'\\';
#else
    return u'/';
#endif
}

QString LowerCaseFull(QStringView text) {
    QString out = text.toString();
    LowerCaseFullInPlace(out);
    return out;
}

void LowerCaseFullInPlace(QString& text) {
    const LowerTable& table = Lower();
    const qsizetype n = text.size();
    if (n == 0) return;
    auto* dst = reinterpret_cast<char16_t*>(text.data());
    qsizetype i = 0;
#ifdef __SSE2__
    // Blocks of 8 characters below 128 take the ASCII rule: A-Z become a-z.
    const __m128i nonAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    const __m128i beforeA = _mm_set1_epi16(u'A' - 1);
    const __m128i afterZ = _mm_set1_epi16(u'Z' + 1);
    const __m128i caseBit = _mm_set1_epi16(u'a' - u'A');
    while (i + 8 <= n) {
        auto* at = reinterpret_cast<__m128i*>(dst + i);
        const __m128i v = _mm_loadu_si128(at);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, nonAscii), zero)) != 0xFFFF) {
            // One by one up to the end of the block (or one beyond, after a pair).
            const qsizetype stop = i + 8;
            while (i < stop) i += LowerOneAt(table, dst, i, n);
            continue;
        }
        const __m128i upper =
            _mm_and_si128(_mm_cmpgt_epi16(v, beforeA), _mm_cmpgt_epi16(afterZ, v));
        _mm_storeu_si128(at, _mm_add_epi16(v, _mm_and_si128(upper, caseBit)));
        i += 8;
    }
#endif
    while (i < n) i += LowerOneAt(table, dst, i, n);
}

QString ExpandUmlauts(QStringView text) {
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        const qsizetype k = c.unicode() >= 0xC4 ? IndexIn(kUmlauts, c.unicode()) : -1;
        if (k < 0) {
            out.append(c);
        } else {
            out.append(QChar(kUmlautPairs[2 * k]));
            out.append(QChar(kUmlautPairs[2 * k + 1]));
        }
    }
    return out;
}

QString RemoveAccents(QStringView text) {
    QString out = text.toString();
    for (QChar& c : out) {
        if (c.unicode() < 0xC0) continue;
        const qsizetype k = IndexIn(kAccented, c.unicode());
        if (k >= 0) c = QChar(kUnaccented[k]);
    }
    return out;
}

QString SortFold(QStringView text) {
    return RemoveAccents(ExpandUmlauts(text));
}

qsizetype LowerSortFoldInto(QStringView text, char16_t* dst) {
    const SortFoldTable& folds = SortFolds();
    qsizetype k = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < folds.first.size()) {
            dst[k++] = folds.first[u];
            if (folds.second[u] != 0) dst[k++] = folds.second[u];
        } else {
            dst[k++] = u;
        }
    }
    // Any other character by its simple lower case, pairs as one character.
    const LowerTable& lower = Lower();
    for (qsizetype i = 0; i < k;) {
        i += dst[i] < folds.first.size() ? 1 : LowerOneAt(lower, dst, i, k);
    }
    return k;
}

bool SortFoldKeeps(QStringView text) {
    const SortFoldTable& folds = SortFolds();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= folds.first.size() || folds.first[u] != u || folds.second[u] != 0) return false;
    }
    return true;
}

QString LowerSortFold(QStringView text) {
    QString out(2 * text.size(), Qt::Uninitialized);
    out.resize(LowerSortFoldInto(text, reinterpret_cast<char16_t*>(out.data())));
    return out;
}

QString RepairUtf8Pairs(const QString& text) {
    if (!HasLeadChar(text)) return text;
    QString out = RepairLead195(RepairLead194(text));
    if (out.contains(QChar(kLead196))) ReplacePair(out, QChar(kLead196), Win1252Char(141), u"c");
    return out;
}

QString RepairUtf8Punctuation(const QString& text) {
    const QChar lead(226);
    const QChar second = Win1252Char(128);
    // The first lead 226 followed by the second character.
    qsizetype p = text.indexOf(lead);
    while (p >= 0 && (p + 1 >= text.size() || text[p + 1] != second)) p = text.indexOf(lead, p + 1);
    if (p < 0) return text;
    if (p + 2 >= text.size()) return text.left(p);  // a pair at the very end is dropped
    const int x = Win1252Byte(text[p + 2]);
    const bool known = (x >= 144 && x <= 159) || x == 162 || x == 166 || x == 185 || x == 186;
    if (!known) {
        QString out = text;
        out.remove(p, 3);
        return out;
    }
    struct Repair {
        int third;
        QStringView by;
    };
    const QChar permille = Win1252Char(137);
    const Repair repairs[] = {
        {144, u"-"},    {145, u"-"},   {146, u"-"},  {147, u"-"},
        {148, u" -- "}, {149, u"--"},  {150, u"|"},  {151, QStringView(&permille, 1)},
        {152, u"'"},    {153, u"'"},   {154, u"'"},  {155, u"'"},
        {156, u"\""},   {157, u"\""},  {158, u"\""}, {159, u"\""},
        {162, u" . "},  {166, u"..."}, {185, u"<"},  {186, u">"},
    };
    QString out = text;
    for (const Repair& r : repairs) {
        const QChar seq[3] = {lead, second, Win1252Char(static_cast<unsigned char>(r.third))};
        out.replace(seq, 3, r.by.data(), r.by.size());
    }
    return out;
}

bool IsSevenBit(QStringView text) {
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 128) continue;
        // A character that Windows-1252 lacks is never 7-bit, whatever its low byte.
        if ((u & 0xFF) >= 128 || Win1252Byte(c) < 0) return false;
    }
    return true;
}

qsizetype CharacterCount(QStringView text) {
    qsizetype count = text.size();
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i].isLowSurrogate() && text[i - 1].isHighSurrogate()) --count;
    }
    return count;
}

void RepairDecodedPairs(QString& text) {
    if (!HasC1OrCaron(text)) return;
    qsizetype k = 0;
    QChar* d = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = d[i].unicode();
        if (u >= kFirstC1 && u <= kLastC1) continue;
        d[k++] = u == kSmallCCaron ? QChar(u'c') : d[i];
    }
    text.truncate(k);
}

void RepairDecodedPunctuation(QString& text) {
    const qsizetype n = text.size();
    const char16_t* s = reinterpret_cast<const char16_t*>(text.constData());
    qsizetype i = 0;
    while (i < n && (s[i] < kFirstRepaired || s[i] > kLastRepaired)) ++i;
    if (i == n) return;
    QString out;
    out.reserve(n + 16);
    out.append(QStringView(s, i));
    for (; i < n; ++i) {
        const char16_t u = s[i];
        const QStringView by =
            u >= kFirstRepaired && u <= kLastRepaired ? PunctuationRepair(u) : QStringView();
        if (by.isNull()) {
            out.append(QChar(u));
        } else {
            out.append(by);
        }
    }
    text = std::move(out);
}

bool IsPlainText(QStringView text, qsizetype maximum, bool strict) {
    qsizetype n = text.size();
    if (maximum > 0 && maximum < n) n = maximum;
    for (qsizetype i = 0; i < n; ++i) {
        const int b = text[i].unicode() & 0xFF;
        if (b >= 32) continue;
        if (!strict) return false;
        if (b <= 8 || b == 11 || b >= 14) return false;
    }
    return true;
}

void TrimControls(QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && Win1252Code(text[first]) <= 32) ++first;
    while (last > first && Win1252Code(text[last - 1]) <= 32) --last;
    if (last < text.size()) text.truncate(last);
    if (first > 0) text.remove(0, first);
}

QString SafeLeft(const QString& text, qsizetype n) {
    if (n <= 0) return {};
    return n >= text.size() ? text : text.left(n);
}

qint32 CountOccurrences(const QString& text, const QString& part, bool caseSensitive) {
    if (text.isEmpty() || part.isEmpty()) return 0;
    const QString t = caseSensitive ? text : LowerCaseFull(text);
    const QString p = caseSensitive ? part : LowerCaseFull(part);
    qint32 count = 0;
    for (qsizetype at = t.indexOf(p); at >= 0; at = t.indexOf(p, at + p.size())) ++count;
    return count;
}

qint32 CountCharsOf(QStringView text, QStringView set) {
    qint32 count = 0;
    for (QChar c : text) {
        if (set.contains(c)) ++count;
    }
    return count;
}

QString GroupedNumber(qint64 n) {
    return QLocale().toString(n);
}

void InitNumberLocale() {
    if (QLocale::system().language() == QLocale::C) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
}

QString DurationText(qint64 seconds) {
    constexpr qint64 kMinutesPerDay = 1440;
    if (seconds < 0) seconds = 0;
    const qint64 sec = seconds % 60;
    qint64 min = seconds / 60;
    const QString secondsPart = QString::number(sec) + u's';
    if (min == 0) return secondsPart;
    QString out;
    if (min >= kMinutesPerDay) {
        out = QString::number(min / kMinutesPerDay) + QStringLiteral("d ");
        min %= kMinutesPerDay;
    }
    out += QString::number(min / 60) + QStringLiteral("h ") + QString::number(min % 60) + u'm';
    if (sec > 0) out += u' ' + secondsPart;
    if (out.startsWith(u"0h ")) out.remove(0, 3);
    return out;
}

QString BytesText(double number, bool capital) {
    const QString word = capital ? QStringLiteral("Bytes") : QStringLiteral("bytes");
    if (number < 0) return {};
    if (number == 0) return QStringLiteral("0 ") + word;
    return QLocale().toString(number, 'f', 0) + u' ' + word;
}

QString NumberInWords(qint32 n) {
    static const char16_t* const kSmall[] = {
        u"No",       u"One",     u"Two",     u"Three",     u"Four",     u"Five",     u"Six",
        u"Seven",    u"Eight",   u"Nine",    u"Ten",       u"Eleven",   u"Twelve",   u"Thirteen",
        u"Fourteen", u"Fifteen", u"Sixteen", u"Seventeen", u"Eighteen", u"Nineteen", u"Twenty"};
    static const char16_t* const kTens[] = {u"",      u"",      u"Twenty",  u"Thirty", u"Forty",
                                            u"Fifty", u"Sixty", u"Seventy", u"Eighty", u"Ninety"};
    if (n >= 0 && n <= 20) return QString::fromUtf16(kSmall[n]);
    if (n > 20 && n < 100) {
        QString out = QString::fromUtf16(kTens[n / 10]);
        if (n % 10 != 0) out += u' ' + LowerCaseFull(QString::fromUtf16(kSmall[n % 10]));
        return out;
    }
    return GroupedNumber(n);
}

int RandomInteger(int low, int high, bool even) {
    const double u = QRandomGenerator::global()->generateDouble();
    int r = low + static_cast<int>((static_cast<double>(high) - low + 1) * u);
    if (even && (r % 2 != 0)) r = r > low ? r - 1 : r + 1;
    return r;
}

QString FileExtension(const QString& path, bool lower) {
    const QString name = path.mid(LastSeparator(path) + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString ext = dot < 0 ? QString() : name.mid(dot + 1);
    return lower ? LowerCaseFull(ext) : ext;
}

QString FileNamePart(const QString& path, bool lower) {
    const qsizetype sep = LastSeparator(path);
    if (sep < 0) return {};
    const QString name = path.mid(sep + 1);
    return lower ? LowerCaseFull(name) : name;
}

QString FolderPart(const QString& path, bool normalise) {
    const qsizetype sep = LastSeparator(path);
    if (sep < 0) return {};
    const QString folder = path.left(sep + 1);
    return normalise ? NormalisePathCase(folder) : folder;
}

QString NormalisePathCase(const QString& path) {
#ifdef Q_OS_WIN
    if (path.size() >= 2 && path[1] == u':') {
        return path.left(1).toUpper() + LowerCaseFull(QStringView(path).mid(1));
    }
    return LowerCaseFull(path);
#else
    return path;
#endif
}

QString ChangeExtension(const QString& name, const QString& extension) {
    // Only a dot in the file name itself starts an extension, not one in a folder name.
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > LastSeparator(name)) return name.left(dot + 1) + extension;
    return name + u'.' + extension;
}

void StripTrailingBackslashes(QString& path) {
#ifdef Q_OS_WIN
    constexpr qsizetype kRootLength = 3;  // "C:\"
#else
    constexpr qsizetype kRootLength = 1;  // "/"
#endif
    qsizetype n = path.size();
    while (n > kRootLength && IsSeparator(path[n - 1])) --n;
    path.truncate(n);
}

int SplitWords(const QString& text, const QString& separator, int start, QStringList& array,
               bool trim, int maxCount, int minLength) {
    array.clear();
    QString rest = text.mid(qMax(start, 0));
    if (separator.isEmpty()) {
        if (trim) rest = rest.trimmed();
        if (rest.size() >= minLength) array.append(rest);
        return static_cast<int>(array.size());
    }
    if (rest.startsWith(separator)) rest.remove(0, separator.size());
    if (!rest.endsWith(separator)) rest += separator;
    const bool blankSeparator = separator == u" ";
    qsizetype at = 0;
    while (at < rest.size()) {
        const qsizetype sep = rest.indexOf(separator, at);
        if (sep < 0) break;
        QString piece = rest.mid(at, sep - at);
        if (trim) {
            qsizetype a = 0;
            qsizetype b = piece.size();
            while (a < b && piece[a] == u' ') ++a;
            while (b > a && piece[b - 1] == u' ') --b;
            piece = piece.mid(a, b - a);
        }
        if (piece.size() >= minLength) {
            array.append(piece);
            if (maxCount > 0 && array.size() >= maxCount) break;
        }
        at = sep + separator.size();
        if (blankSeparator) {
            while (at < rest.size() && rest[at] == u' ') ++at;
        }
    }
    return static_cast<int>(array.size());
}

QString JoinWords(const QStringList& array, const QString& separator, bool keepLast, int first,
                  int last) {
    if (last < 0 || last >= array.size()) last = static_cast<int>(array.size()) - 1;
    if (first < 0) first = 0;
    QString out;
    for (int i = first; i <= last; ++i) out += array[i] + separator;
    if (!keepLast && !out.isEmpty()) out.chop(separator.size());
    return out;
}

int RemoveDuplicates(QStringList& array, bool ignoreCase, int first, int last, bool shrink) {
    if (last < 0 || last >= array.size()) last = static_cast<int>(array.size()) - 1;
    if (first < 0) first = 0;
    if (first > last) return -1;
    QStringList keys;
    keys.reserve(last - first + 1);
    for (int i = first; i <= last; ++i)
        keys.append(ignoreCase ? LowerCaseFull(array[i]) : array[i]);
    // Keep the first of equal elements: a set of keys seen, walked from the front, empties
    // exactly the later duplicates that a search from the back would.
    QSet<QString> seen;
    for (int i = first; i <= last; ++i) {
        const QString& key = keys[i - first];
        if (key.isEmpty()) continue;
        if (seen.contains(key)) {
            array[i].clear();
        } else {
            seen.insert(key);
        }
    }
    int to = first;
    for (int i = first; i <= last; ++i) {
        if (array[i].isEmpty()) continue;
        if (to != i) array[to] = array[i];
        ++to;
    }
    for (int i = to; i <= last; ++i) array[i].clear();
    const int result = to > first ? to - 1 : -1;
    if (shrink && result >= 0) array.resize(result + 1);
    return result;
}

}  // namespace lxt

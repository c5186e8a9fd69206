#include "scan/word_rules.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "scan/letter_classes.h"
#include "support/char_case.h"
#include "support/str_proc.h"

namespace lxt {

namespace {

constexpr const char16_t* kRomanExceptions[] = {u"MID",   u"DIM",   u"VIM",   u"CID", u"LID",
                                                u"LIVID", u"VIVID", u"CIVIL", u"DILL"};
constexpr const char16_t* kFinalSExceptions[] = {u"maths", u"stats", u"dickens", u"always",
                                                 u"perhaps"};
constexpr char16_t kFinalSExceptionEnding[] = u"ics";
constexpr char16_t kApostropheRemnants[] = u"st";

// Membership of the characters U+0000-U+00FF in a list of such characters.
struct Latin1Set {
    explicit Latin1Set(QStringView list) {
        for (QChar c : list) {
            if (c.unicode() < 256) member[c.unicode()] = true;
        }
    }
    bool Has(QChar c) const { return c.unicode() < 256 && member[c.unicode()]; }
    std::array<bool, 256> member{};
};

const Latin1Set& LowerCaseVowels() {
    static const Latin1Set set{QStringView(kLowerCaseVowels)};
    return set;
}

// A vowel of the lower-case vowel list, or a lower-case vowel beyond Windows-1252.
bool IsLowerCaseVowel(QChar c) {
    const char16_t u = c.unicode();
    if (u < 256) return LowerCaseVowels().Has(c);
    return (CodeUnitClasses()[u] & kClassLowerVowel) != 0;
}

// The characters that stand right before a blank in the contraction stems: a candidate can
// only be a stem ending when its last character, lower-cased, is one of them.
Latin1Set StemEndings() {
    const QStringView stems(kContractionStems);
    QString ends;
    for (qsizetype i = 1; i < stems.size(); ++i) {
        if (stems[i] == u' ') ends += stems[i - 1];
    }
    return Latin1Set(ends);
}
const Latin1Set kStemEndings = StemEndings();

// The same for the characters below 128, their lower case looked up in advance.
struct AsciiStemEndings {
    AsciiStemEndings() {
        for (char16_t u = 0; u < 128; ++u) member[u] = kStemEndings.Has(LowerChar(QChar(u)));
    }
    std::array<bool, 128> member{};
};
const AsciiStemEndings kAsciiStemEndings;

// The contraction stems one by one.
std::vector<QStringView> Stems() {
    std::vector<QStringView> list;
    for (QStringView stem : QStringView(kContractionStems).split(u' ', Qt::SkipEmptyParts)) {
        list.push_back(stem);
    }
    return list;
}
const std::vector<QStringView> kStems = Stems();
// The length of the longest stem: a longer candidate is never a stem ending.
const qsizetype kLongestStem =
    std::max_element(kStems.begin(), kStems.end(), [](QStringView a, QStringView b) {
        return a.size() < b.size();
    })->size();
// The different endings of the stems, by their length (index 0 unused).
std::vector<std::vector<QStringView>> EndingsByLength() {
    std::vector<std::vector<QStringView>> endings(size_t(kLongestStem) + 1);
    for (QStringView stem : kStems) {
        for (qsizetype n = 1; n <= stem.size(); ++n) {
            std::vector<QStringView>& list = endings[size_t(n)];
            const QStringView ending = stem.right(n);
            if (std::find(list.begin(), list.end(), ending) == list.end()) list.push_back(ending);
        }
    }
    return endings;
}
const std::vector<std::vector<QStringView>> kEndingsByLength = EndingsByLength();
// For each length, the characters below 128 that lower-case to the first character of an
// ending of that length: most candidates that end like a stem are ruled out by their first
// character.
std::vector<std::array<bool, 128>> EndingStartsByLength() {
    std::vector<std::array<bool, 128>> starts(kEndingsByLength.size());
    for (size_t n = 1; n < kEndingsByLength.size(); ++n) {
        for (char16_t c = 0; c < 128; ++c) {
            for (QStringView ending : kEndingsByLength[n]) {
                if (LowerChar(QChar(c)) == ending[0]) starts[n][c] = true;
            }
        }
    }
    return starts;
}
const std::vector<std::array<bool, 128>> kEndingStartsByLength = EndingStartsByLength();

// The endings of 3 to 8 characters as numbers: their bytes, the first in the lowest byte, the
// rest zero; in order. The endings are small letters a-z.
std::vector<quint64> NarrowEndings() {
    std::vector<quint64> numbers;
    for (size_t n = 3; n < kEndingsByLength.size() && n <= 8; ++n) {
        for (QStringView ending : kEndingsByLength[n]) {
            quint64 number = 0;
            for (qsizetype i = ending.size() - 1; i >= 0; --i)
                number = number << 8 | ending[i].unicode();
            numbers.push_back(number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}
const std::vector<quint64> kNarrowEndings = NarrowEndings();

// True when `text` lower-cased character by character equals `lower`.
bool LowerEquals(QStringView text, QStringView lower) {
    if (text.size() != lower.size()) return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (LowerChar(text[i]) != lower[i]) return false;
    }
    return true;
}

bool LowerEndsWith(QStringView text, QStringView lower) {
    return text.size() >= lower.size() && LowerEquals(text.right(lower.size()), lower);
}

bool KeepsFinalS(QStringView candidate) {
    if (LowerEndsWith(candidate, kFinalSExceptionEnding)) return true;
    for (const char16_t* word : kFinalSExceptions) {
        if (LowerEquals(candidate, word)) return true;
    }
    return false;
}

QStringView TrimBlanks(QStringView text) {
    const char16_t* p = text.utf16();
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && p[first] == u' ') ++first;
    while (last > first && p[last - 1] == u' ') --last;
    return QStringView(p + first, last - first);
}

// One character repeated; a surrogate pair is one character.
bool IsOneCharacterRepeated(QStringView text) {
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    if (n == 0) return false;
    const int step = QChar::isHighSurrogate(p[0]) && n > 1 && QChar::isLowSurrogate(p[1]) ? 2 : 1;
    if (n % step != 0) return false;
    for (qsizetype i = step; i < n; i += step) {
        if (p[i] != p[0] || p[i + step - 1] != p[step - 1]) return false;
    }
    return true;
}

// A Roman numeral is written in the Latin letters I, V, X, L, C, D and M of either case.
constexpr bool IsRomanLetter(char16_t u) {
    return u < 128 && ((RomanMask(u / 64) >> (u % 64)) & 1) != 0;
}

bool IsRomanNumeral(QStringView text) {
    for (QChar c : text) {
        if (!IsRomanLetter(c.unicode())) return false;
    }
    for (const char16_t* exception : kRomanExceptions) {
        const QStringView e(exception);
        if (e.size() != text.size()) continue;
        bool same = true;
        for (qsizetype i = 0; i < e.size() && same; ++i) same = UpperChar(text[i]) == e[i];
        if (same) return false;
    }
    return true;
}

// True when a character with flags f is a combining mark that follows a letter, or a mark
// after one, within the word that runs from p to before q.
bool ContinuesWithMark(unsigned f, const char16_t* p, const char16_t* q,
                       const WordCharTable& wordChars) {
    if ((f & WordCharTable::kMarkBit) == 0 || q == p) return false;
    const char16_t* previous = q - 1;
    if (previous > p && QChar::isLowSurrogate(*previous) && QChar::isHighSurrogate(previous[-1])) {
        --previous;
    }
    int length = 1;
    return (wordChars.At(previous, q, length) &
            (WordCharTable::kLetterBit | WordCharTable::kMarkBit)) != 0;
}

}  // namespace

QStringView DropFinalS(QStringView candidate) {
    if (KeepsFinalS(candidate)) return candidate;
    const qsizetype n = candidate.size();
    if (n > 2 && candidate[n - 1] == u's' && !candidate.endsWith(u"ss") &&
        !candidate.endsWith(u"'s") && !IsLowerCaseVowel(candidate[n - 2])) {
        return candidate.chopped(1);
    }
    return candidate;
}

// True when the candidate is an apostrophe remnant or, followed by a blank, occurs in the
// contraction stems. A candidate holds no blank, so that is when it is an ending of a stem.
bool IsContractionPart(QStringView candidate) {
    if (candidate.size() == 1) {
        const QChar c = LowerChar(candidate[0]);
        for (QChar r : QStringView(kApostropheRemnants)) {
            if (c == r) return true;
        }
    }
    if (candidate.isEmpty()) return true;  // the blank alone occurs in the stems
    const char16_t last = candidate.back().unicode();
    const bool stemEnding =
        last < 128 ? kAsciiStemEndings.member[last] : kStemEndings.Has(LowerChar(QChar(last)));
    if (!(stemEnding & (candidate.size() <= kLongestStem))) return false;  // the usual case
    const char16_t first = candidate[0].unicode();
    if (first < 128 && !kEndingStartsByLength[size_t(candidate.size())][first]) return false;
    for (QStringView ending : kEndingsByLength[size_t(candidate.size())]) {
        if (LowerEquals(candidate, ending)) return true;
    }
    return false;
}

bool IsStemEnding(const unsigned char* bytes, qsizetype size) {
    if (size > kLongestStem || size > 8) return false;
    quint64 number;
    std::memcpy(&number, bytes, sizeof number);
    const quint64 mask = size == 8 ? ~quint64{0} : (quint64{1} << (8 * size)) - 1;
    // Setting 0x20 in each byte lower-cases A-Z and turns no other byte into a small letter.
    number = (number | 0x2020202020202020ull) & mask;
    return std::binary_search(kNarrowEndings.begin(), kNarrowEndings.end(), number);
}

QStringView ExtractWord(QStringView line, qsizetype& scanPosition, const ScanOptions& options) {
    const WordCharTable& wordChars = options.word;
    const qsizetype size = line.size();
    const qsizetype pos = scanPosition;
    if (pos < 0 || pos >= size) return {};
    const char16_t* p = line.utf16() + pos;
    const qsizetype limit = std::min<qsizetype>(size - pos, kMaxCandidateLength);
    // The rules below never remove a vowel or y, so the vowel test is made on the way.
    unsigned flags = 0;
    const char16_t* q = p;
    const char16_t* const end = p + limit;
#if defined(__SSE2__)
    // Runs of the small letters a-z (always word characters; a, e, i, o, u and y the vowels
    // among them) eight at a time; the character after such a run is taken below.
    while (end - q >= 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        const __m128i offset = _mm_sub_epi16(v, _mm_set1_epi16(u'a'));
        const __m128i small =
            _mm_cmpeq_epi16(_mm_subs_epu16(offset, _mm_set1_epi16(25)), _mm_setzero_si128());
        const unsigned smallMask = static_cast<unsigned>(_mm_movemask_epi8(small));
        // (All eight small: ~smallMask is 0xFFFF0000, whose lowest set bit is bit 16.)
        const unsigned letters = unsigned(__builtin_ctz(~smallMask)) / 2;
        __m128i vowel = _mm_cmpeq_epi16(v, _mm_set1_epi16(u'a'));
        vowel = _mm_or_si128(vowel, _mm_cmpeq_epi16(v, _mm_set1_epi16(u'e')));
        vowel = _mm_or_si128(vowel, _mm_cmpeq_epi16(v, _mm_set1_epi16(u'i')));
        vowel = _mm_or_si128(vowel, _mm_cmpeq_epi16(v, _mm_set1_epi16(u'o')));
        vowel = _mm_or_si128(vowel, _mm_cmpeq_epi16(v, _mm_set1_epi16(u'u')));
        vowel = _mm_or_si128(vowel, _mm_cmpeq_epi16(v, _mm_set1_epi16(u'y')));
        const unsigned inRun = (1u << (2 * letters)) - 1;
        if ((static_cast<unsigned>(_mm_movemask_epi8(vowel)) & inRun) != 0) {
            flags |= WordCharTable::kVowelOrYBit;
        }
        q += letters;
        if (letters < 8) break;
    }
#endif
    while (q != end) {
        const char16_t u = *q;
        if (u < 256) {
            const unsigned f = wordChars.LowFlags(u);
            if ((f & WordCharTable::kWordBit) == 0) break;
            flags |= f;
            ++q;
            continue;
        }
        int length = 1;
        const unsigned f = wordChars.At(q, end, length);
        if ((f & WordCharTable::kWordBit) == 0 && !ContinuesWithMark(f, p, q, wordChars)) break;
        flags |= f;
        q += length;
    }
    const qsizetype n = q - p;
    if (n == 0) return {};
    scanPosition += n;
    return ApplyWordRules(QStringView(p, n), flags, options);
}

bool AcceptWord(QStringView candidate, int maxWordLength) {
    const qsizetype length = CharacterCount(candidate);
    if (length <= 2 || length > maxWordLength) return false;
    const QStringView trimmed = TrimBlanks(candidate);
    if (IsOneCharacterRepeated(trimmed)) return false;
    return !IsRomanNumeral(trimmed);
}

}  // namespace lxt

#include "scan/word_rules.h"

#include <algorithm>
#include <array>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "run/run_state.h"
#include "support/char_case.h"

namespace lxt {

namespace {

constexpr char16_t kRomanLetters[] = u"IVXLCDM";
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

QStringView DropFinalS(QStringView candidate) {
    if (KeepsFinalS(candidate)) return candidate;
    const qsizetype n = candidate.size();
    if (n > 2 && candidate[n - 1] == u's' && !candidate.endsWith(u"ss") &&
        !candidate.endsWith(u"'s") && !LowerCaseVowels().Has(candidate[n - 2])) {
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

QStringView TrimBlanks(QStringView text) {
    const char16_t* p = text.utf16();
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && p[first] == u' ') ++first;
    while (last > first && p[last - 1] == u' ') --last;
    return QStringView(p + first, last - first);
}

bool IsOneCharacterRepeated(QStringView text) {
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    if (n == 0) return false;
    for (qsizetype i = 1; i < n; ++i) {
        if (p[i] != p[0]) return false;
    }
    return true;
}

bool IsRomanLetter(QChar c) {
    for (QChar r : QStringView(kRomanLetters)) {
        if (c == r) return true;
    }
    return false;
}

// The characters below 128 that read as Roman-numeral letters once upper-cased.
struct AsciiRomanLetters {
    AsciiRomanLetters() {
        for (char16_t u = 0; u < 128; ++u) member[u] = IsRomanLetter(UpperChar(QChar(u)));
    }
    std::array<bool, 128> member{};
};
const AsciiRomanLetters kAsciiRomanLetters;

bool IsRomanNumeral(QStringView text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 128 ? !kAsciiRomanLetters.member[u] : !IsRomanLetter(UpperChar(c))) return false;
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

}  // namespace

QStringView ExtractWord(RunState& run, const WordCharTable& wordChars) {
    const qsizetype size = run.strLine.size();
    const qsizetype pos = qsizetype(run.lngLP) - 1;
    if (pos < 0 || pos >= size) return {};
    const char16_t* p = reinterpret_cast<const char16_t*>(run.strLine.constData()) + pos;
    const qsizetype limit = std::min<qsizetype>(size - pos, kMaxCandidateLength);
    // The rules below never remove a vowel or y, so the vowel test is made on the way.
    unsigned flags = 0;
    unsigned high = 0;  // the code units or-ed: 256 or more when one is above U+00FF
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
    for (; q != end; ++q) {
        const char16_t u = *q;
        const unsigned f = wordChars.ClassFlags(u);
        if ((f & WordCharTable::kWordBit) == 0) break;
        flags |= f;
        high |= u;
    }
    qsizetype n = q - p;
    if (n == 0) return {};
    run.lngLP += static_cast<qint32>(n);
    if (high >= 256) {
        flags = 0;
        for (qsizetype i = 0; i < n; ++i) flags |= wordChars.Flags(p[i]);
    }

    while (n > 0 && p[n - 1] == u'-') --n;
    QStringView candidate(p, n);
    const Settings& s = run.settings;
    if (s.chkDropFinalS == 1 && !run.blnReadingWords) candidate = DropFinalS(candidate);
    if (s.chkAllowWordsWithApostrophes == 0 && !run.blnReadingWords &&
        IsContractionPart(candidate)) {
        return {};
    }
    if (s.chkIgnoreNoVowel == 1 && (flags & WordCharTable::kVowelOrYBit) == 0) return {};
    return candidate;
}

QStringView ExtractWord(RunState& run) {
    const WordCharTable wordChars(run.strExtraChars, false);
    return ExtractWord(run, wordChars);
}

bool AcceptWord(QStringView candidate, int maxWordLength) {
    if (candidate.size() <= 2 || candidate.size() > maxWordLength) return false;
    const QStringView trimmed = TrimBlanks(candidate);
    if (IsOneCharacterRepeated(trimmed)) return false;
    return !IsRomanNumeral(trimmed);
}

}  // namespace lxt

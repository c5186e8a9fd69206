#include "scan/word_rules.h"

#include <array>
#include <vector>

#include "run/run_state.h"
#include "scan/char_case.h"

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

const Latin1Set& VowelsOrY() {
    static const Latin1Set set{QStringView(kVowelsOrY)};
    return set;
}

const Latin1Set& LowerCaseVowels() {
    static const Latin1Set set{QStringView(kLowerCaseVowels)};
    return set;
}

// The characters that stand right before a blank in the contraction stems: a candidate can
// only be a stem ending when its last character, lower-cased, is one of them.
const Latin1Set& StemEndings() {
    static const Latin1Set set = [] {
        const QStringView stems(kContractionStems);
        QString ends;
        for (qsizetype i = 1; i < stems.size(); ++i) {
            if (stems[i] == u' ') ends += stems[i - 1];
        }
        return Latin1Set(ends);
    }();
    return set;
}

// The contraction stems one by one.
const std::vector<QStringView>& Stems() {
    static const std::vector<QStringView> stems = [] {
        std::vector<QStringView> list;
        for (QStringView stem : QStringView(kContractionStems).split(u' ', Qt::SkipEmptyParts)) {
            list.push_back(stem);
        }
        return list;
    }();
    return stems;
}

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
    if (!StemEndings().Has(LowerChar(candidate.back()))) return false;
    for (QStringView stem : Stems()) {
        if (stem.size() >= candidate.size() &&
            LowerEquals(candidate, stem.right(candidate.size()))) {
            return true;
        }
    }
    return false;
}

QStringView TrimBlanks(QStringView text) {
    while (!text.isEmpty() && text.front() == u' ') text = text.mid(1);
    while (!text.isEmpty() && text.back() == u' ') text.chop(1);
    return text;
}

bool IsOneCharacterRepeated(QStringView text) {
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        if (c != text[0]) return false;
    }
    return true;
}

bool IsRomanLetter(QChar c) {
    for (QChar r : QStringView(kRomanLetters)) {
        if (c == r) return true;
    }
    return false;
}

bool IsRomanNumeral(QStringView text) {
    for (QChar c : text) {
        if (!IsRomanLetter(UpperChar(c))) return false;
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
    const QStringView line(run.strLine);
    const qsizetype pos = qsizetype(run.lngLP) - 1;
    if (pos < 0 || pos >= line.size()) return {};
    const qsizetype limit = std::min<qsizetype>(line.size() - pos, kMaxCandidateLength);
    const char16_t* p = line.utf16() + pos;
    const std::array<bool, 256>& vowels = VowelsOrY().member;
    bool vowel = false;  // the rules below only remove hyphens and one "s", never a vowel or y
    qsizetype n = 0;
    for (; n < limit; ++n) {
        const char16_t u = p[n];
        if (!wordChars(QChar(u))) break;
        vowel |= vowels[u & 0xFFu] & (u < 256);
    }
    if (n == 0) return {};
    run.lngLP += static_cast<qint32>(n);

    QStringView candidate = line.mid(pos, n);
    while (!candidate.isEmpty() && candidate.back() == u'-') candidate.chop(1);
    const Settings& s = run.settings;
    if (s.chkDropFinalS == 1 && !run.blnReadingWords) candidate = DropFinalS(candidate);
    if (s.chkAllowWordsWithApostrophes == 0 && !run.blnReadingWords &&
        IsContractionPart(candidate)) {
        return {};
    }
    if (s.chkIgnoreNoVowel == 1 && !vowel) return {};
    return candidate;
}

QStringView ExtractWord(RunState& run) {
    const WordCharTable wordChars(run.strExtraChars, false);
    return ExtractWord(run, wordChars);
}

bool AcceptWord(const RunState& run, QStringView candidate) {
    if (candidate.size() <= 2 || candidate.size() > run.intMaxPermittedWordLength) return false;
    const QStringView trimmed = TrimBlanks(candidate);
    if (IsOneCharacterRepeated(trimmed)) return false;
    return !IsRomanNumeral(trimmed);
}

}  // namespace lxt

#include "exclude/words_to_ignore.h"

#include <algorithm>
#include <bitset>
#include <memory>
#include <string_view>
#include <vector>

#include "run/run_state.h"
#include "scan/letter_classes.h"
#include "scan/scan_options.h"
#include "support/blank_list_lookup.h"
#include "support/str_proc.h"
#include "support/text_literals.h"
#include "support/ui.h"

namespace lxt {

namespace {

constexpr char16_t kBlank = u' ';
constexpr char16_t kComma = u',';
constexpr char kLineBreak[] = "\r\n";

// A letter of the full letter list, or a letter (or combining mark) that Windows-1252 lacks;
// a surrogate stands for the letter its pair makes.
bool IsListedLetter(QStringView text, qsizetype i) {
    if (QStringView(kFullLetterList).contains(text[i])) return true;
    int length = 1;
    const auto* p = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* end = p + text.size();
    if (text[i].isLowSurrogate()) {
        return i > 0 && text[i - 1].isHighSurrogate() && IsListedLetter(text, i - 1);
    }
    return (LetterClass(CodePointAt(p + i, end, length)) & (kClassLetter | kClassMark)) != 0;
}

}  // namespace

NormalisedWordsToIgnore NormaliseWordsToIgnore(const QString& text) {
    QString words = TrimBlanks(text);
    if (words.isEmpty()) return {};
    LowerCaseFullInPlace(words);
    words.replace(kComma, kBlank);

    // The words as views of `words`, each with its first four code units as a number that
    // orders them as far as those units go.
    struct Word {
        quint64 prefix;
        std::u16string_view units;
    };
    std::vector<Word> array;
    const auto* units = reinterpret_cast<const char16_t*>(words.utf16());
    const qsizetype size = words.size();
    for (qsizetype start = 0, i = 0; i <= size; ++i) {
        if (i < size && units[i] != kBlank) continue;
        if (i > start) {
            const std::u16string_view word(units + start, static_cast<size_t>(i - start));
            quint64 prefix = 0;
            for (size_t k = 0; k < 4; ++k) prefix = prefix << 16 | (k < word.size() ? word[k] : 0);
            array.push_back({prefix, word});
        }
        start = i + 1;
    }
    if (array.empty()) return {};
    // Code-unit order. Equal words are the same characters, so sorting and then keeping one
    // of each run of equal words gives the sorted list without duplicates.
    std::sort(array.begin(), array.end(), [](const Word& a, const Word& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : a.units < b.units;
    });
    array.erase(std::unique(array.begin(), array.end(),
                            [](const Word& a, const Word& b) { return a.units == b.units; }),
                array.end());

    // The list: a blank before each word and one at the end; the box text lies inside its
    // two outer blanks.
    qsizetype length = static_cast<qsizetype>(array.size()) + 1;
    for (const Word& word : array) length += static_cast<qsizetype>(word.units.size());
    NormalisedWordsToIgnore result;
    result.list.resize(length);
    char16_t* out = reinterpret_cast<char16_t*>(result.list.data());
    for (const Word& word : array) {
        *out++ = kBlank;
        for (const char16_t unit : word.units) *out++ = unit;
    }
    *out = kBlank;
    result.boxText = result.list.sliced(1, length - 2);
    return result;
}

bool TakeOverWordsToIgnore(RunState& run) {
    if (TrimBlanks(run.settings.txbWordsToIgnore).isEmpty()) {
        // Nothing but blanks: the list is emptied and the text left as typed.
        run.strWordsToIgnore.clear();
        return true;
    }
    const NormalisedWordsToIgnore normalised =
        NormaliseWordsToIgnore(run.settings.txbWordsToIgnore);
    run.settings.txbWordsToIgnore = normalised.boxText;
    run.strWordsToIgnore = normalised.list;
    return CheckAllowedExtraChars(run);
}

bool IsWordToIgnore(const QString& list, QStringView lowerCaseWord) {
    return !lowerCaseWord.isEmpty() && BlankListHolds(list, lowerCaseWord);
}

QString CharacterNotAllowedText(QChar c, QStringView neverWordChars) {
    QString text = QStringLiteral("The character ") + c +
                   QStringLiteral(" occurs in some word to ignore") + QLatin1String(kLineBreak) +
                   QStringLiteral("but is not ");
    if (!neverWordChars.contains(c)) text += QStringLiteral("currently set as ");
    text += QStringLiteral("a character allowed in a word.");
    if (c == kComma) {
        text += QLatin1String(kLineBreak);
        text += QLatin1String(kLineBreak);
        text += QLatin1String(kCommaAdvice);
    }
    return text;
}

bool CheckWordsToIgnoreChars(Ui& ui, QStringView text, QStringView extraChars,
                             QStringView neverWordChars) {
    // A long list repeats few different characters: each is looked up once, and a lower-case
    // ASCII letter, a letter of the list, not at all. A surrogate is judged with its
    // neighbour, so it is looked up every time.
    const auto passed = std::make_unique<std::bitset<65536>>();
    const auto* units = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = units[i];
        if (unit == kBlank || static_cast<char16_t>(unit - u'a') < 26 || (*passed)[unit]) continue;
        const QChar c(unit);
        if (IsListedLetter(text, i) || extraChars.contains(c)) {
            if (!c.isSurrogate()) passed->set(unit);
            continue;
        }
        ui.MsgBox(CharacterNotAllowedText(c, neverWordChars),
                  QLatin1String(kCharacterNotAllowedTitle), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool CheckAllowedExtraChars(RunState& run) {
    if (!run.blnStartUpCompleted || run.settings.txbWordsToIgnore.isEmpty()) return true;
    return CheckWordsToIgnoreChars(run.ui, run.settings.txbWordsToIgnore, ExtraChars(run.settings),
                                   kNeverWordChars);
}

void ClearWordsToIgnore(RunState& run) {
    run.settings.txbWordsToIgnore.clear();
}

}  // namespace lxt

#include "exclude/words_to_ignore.h"

#include <QStringList>
#include <algorithm>
#include <bitset>
#include <memory>

#include "exclude/quick_sort.h"
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
    QStringList array = words.split(kBlank, Qt::SkipEmptyParts);
    if (array.isEmpty()) return {};

    // Equal words are the same characters, so sorting and then keeping one of each run of
    // equal words gives the sorted list without duplicates.
    if (array.size() > 1) QuickSort(array, 0, array.size() - 1, 1);
    array.erase(std::unique(array.begin(), array.end()), array.end());

    NormalisedWordsToIgnore result;
    result.boxText = array.join(kBlank);
    result.list = QString(kBlank) + result.boxText + QString(kBlank);
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
    // A long list repeats few different characters: each is looked up once. A surrogate is
    // judged with its neighbour, so it is looked up every time.
    const auto passed = std::make_unique<std::bitset<65536>>();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (passed->test(c.unicode())) continue;
        if (c == kBlank || IsListedLetter(text, i) || extraChars.contains(c)) {
            if (!c.isSurrogate()) passed->set(c.unicode());
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
    SetExtraChars(run);
    return CheckWordsToIgnoreChars(run.ui, run.settings.txbWordsToIgnore, run.strExtraChars,
                                   run.strNeverWordChars);
}

void ClearWordsToIgnore(RunState& run) {
    run.settings.txbWordsToIgnore.clear();
}

}  // namespace lxt

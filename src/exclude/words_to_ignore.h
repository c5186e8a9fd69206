// The words to ignore: the normalisation of the text typed into txbWordsToIgnore into the
// list strWordsToIgnore (lower-case words, sorted, no duplicates, single blanks, a blank at
// each end), the whole-word lookup of the word admission, and the check that every
// character of the words can occur in a word.
#pragma once

#include <QString>
#include <QStringView>

namespace lxt {

struct RunState;
class Ui;

inline constexpr char kCharacterNotAllowedTitle[] = "Character not allowed";
inline constexpr char kCommaAdvice[] =
    "Words-to-ignore must be separated by a space, not by a comma.";

struct NormalisedWordsToIgnore {
    QString boxText;  // what txbWordsToIgnore shows: the words joined by single blanks
    QString list;     // strWordsToIgnore: one blank, boxText, one blank; empty when no words
};

// Lower-cases the text, turns commas into blanks, drops duplicates and sorts the words.
NormalisedWordsToIgnore NormaliseWordsToIgnore(const QString& text);

// txbWordsToIgnore_LostFocus without the window: normalises run.settings.txbWordsToIgnore
// in place, sets run.strWordsToIgnore and then runs CheckAllowedExtraChars. A text of
// blanks only empties the list, stays as it is and is not checked.
bool TakeOverWordsToIgnore(RunState& run);

// True when `lowerCaseWord` is one of the words of `list` (a whole word, not a part).
bool IsWordToIgnore(const QString& list, QStringView lowerCaseWord);

// The "Character not allowed" text for character c (CR LF line breaks).
QString CharacterNotAllowedText(QChar c, QStringView neverWordChars);

// Checks the characters of `text` against `extraChars`: letters and blanks always pass.
// Shows the "Character not allowed" warning for the first character that fails and gives
// false; true when every character passes.
bool CheckWordsToIgnoreChars(Ui& ui, QStringView text, QStringView extraChars,
                             QStringView neverWordChars);

// CheckAllowedExtraChars: nothing is checked before start-up has completed or when the
// words to ignore are empty; otherwise checks run.settings.txbWordsToIgnore against the extra
// characters the settings allow (ExtraChars). The Settings
// window adds its own conditions (while it sets its boxes itself nothing is checked).
bool CheckAllowedExtraChars(RunState& run);

// cmdClearWordsToIgnore: the text is emptied; strWordsToIgnore is left as it is until the
// text is next taken over.
void ClearWordsToIgnore(RunState& run);

}  // namespace lxt

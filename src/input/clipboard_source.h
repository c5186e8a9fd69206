// The clipboard as a source: the size label, the checks of a paste (empty clipboard, too
// much text), the natural-language test and the count of the stored clipboard text as one
// line. Reading the system clipboard itself is the window's (through the Ui).
#pragma once

#include <QString>
#include <QtGlobal>

namespace lxt {

struct RunState;
class Ui;

inline constexpr qint32 kMaxClipboardCharacters = 100000;
// The natural-language test looks at this many characters from the start.
inline constexpr qsizetype kNaturalLanguageSample = 3000;

// True when none of the first 3,000 characters has a code from 0 to 8, 11 or 14 to 31 (tab,
// LF, form feed and CR are allowed). Judged on the full character code, so that U+2014 or
// U+2019 are ordinary characters. The empty text passes.
bool IsNaturalLanguageText(const QString& text);

// "1,234 bytes on the clipboard." for a text of that many characters.
QString ClipboardSizeText(qsizetype length);
// Shows the clipboard size in lblSizeOfClipboardContents (empty when it cannot be read).
void ShowClipboardSize(RunState& run);

// The checks of a paste of `text`: "Clipboard is empty." and "Too much clipboard text".
// Updates the size label. True when the text may be taken.
bool CheckClipboardText(RunState& run, const QString& text);

// Takes the clipboard text (through the Ui) into run.strClipboardText, and into txbOutput when
// `show` is set. False, with its message shown, when the clipboard is empty, holds too much
// or cannot be read; the stored text then keeps its previous value.
bool Paste(RunState& run, bool show);

// Counts `text` as one line. False, after the "Invalid input" message, when the text fails
// the natural-language test. Errors are reported with the procedure name
// "DoItFromClipboard" and the words found so far kept.
bool DoItFromClipboard(RunState& run, const QString& text);
// The same for the stored clipboard text.
bool DoItFromClipboard(RunState& run);

}  // namespace lxt

// The line scanner: turns run.strLine (one line with a blank appended as a sentinel, already
// lower-cased unless case is significant) into words, stepping over marked spans, and
// delivers each accepted word to the word table. Never loops: every pass moves lngLP on.
#pragma once

#include <QString>

namespace lxt {

struct RunState;

// Scans run.strLine from its start; leaves lngLP where scanning stopped. Counting context:
// adds 1 to lngTotalNumOccurrences and calls GetWords2 for each accepted word; reading
// context (blnReadingWords): calls AddWordToList. Ends the line after the current candidate
// when blnStop is set. May throw RunError (overflow) from the word table.
void ScanLine(RunState& run);

// Removes backspaces and turns CR LF, LF, form feed, CR, no-break space and tab into blanks.
void CleanLine(QString& line);
// Turns each "--" from the third character on into two blanks, except in "<!--" and "-->".
void SpaceDoubleHyphens(QString& line);

}  // namespace lxt

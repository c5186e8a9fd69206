// The line scanner: turns run.strLine (one line with a blank appended as a sentinel, already
// lower-cased unless case is significant) into words, stepping over marked spans, and
// hands each accepted word to a sink. Never loops: every pass moves lngLP on.
#pragma once

#include <QString>

namespace lxt {

struct RunState;
class WordSink;
struct ScanOptions;

// Scans run.strLine from its start with the word characters and longest word of `options`
// and gives each accepted word to `sink`; leaves lngLP
// where scanning stopped. The reading context (blnReadingWords) looks for marked spans and
// decodes nothing. Ends the line after the current candidate when blnStop is set. May throw
// RunError (overflow) from the sink.
void ScanLine(RunState& run, const ScanOptions& options, WordSink& sink);

// Removes backspaces and turns CR LF, LF, form feed, CR, no-break space and tab into blanks.
void CleanLine(QString& line);
// Turns each "--" from the third character on into two blanks, except in "<!--" and "-->".
void SpaceDoubleHyphens(QString& line);

}  // namespace lxt

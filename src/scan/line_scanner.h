// The line scanner: turns a line (one blank appended as a sentinel, already lower-cased
// unless case is significant) into words, stepping over marked spans, and hands each
// accepted word to a sink. Never loops: every pass moves the scan position on.
#pragma once

#include <QString>

namespace lxt {

class WordSink;
struct ScanOptions;
struct ScanState;
class ScanEvents;

// Cleans state.line and scans it from its start by `options`, giving each accepted word to
// `sink`; leaves state.scanPosition where scanning stopped and state.withinComment open when
// a span goes on past the line. The reading context looks for marked spans and decodes
// nothing. Lets events run between candidates and ends the line after the current candidate
// when a stop is requested. May throw RunError (overflow) from the sink.
void ScanLine(ScanState& state, const ScanOptions& options, WordSink& sink, ScanEvents& events);

// Removes backspaces and turns CR LF, LF, form feed, CR, no-break space and tab into blanks.
void CleanLine(QString& line);
// Makes a decoded line ready for ScanLine: control characters trimmed from its ends, the
// repairs of text decoded as UTF-8 when `repairs`, lower-cased unless case is significant,
// and the blank after it. False when nothing is left to scan.
bool PrepareLineForScan(QString& line, bool repairs, bool caseSignificant);
// Turns each "--" from the third character on into two blanks, except in "<!--" and "-->".
void SpaceDoubleHyphens(QString& line);

}  // namespace lxt

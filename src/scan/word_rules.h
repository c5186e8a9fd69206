// The word rules: ExtractWord cuts the candidate at lngLP and applies the rules that shorten
// or empty it (trailing hyphens, final "s", apostrophe remnants and contraction stems, no
// vowel); AcceptWord rejects too short, too long, one-character and Roman-numeral words.
#pragma once

#include <QStringView>

#include "scan/scan_options.h"

namespace lxt {

struct RunState;

// The longest raw candidate, in characters.
inline constexpr int kMaxCandidateLength = 65000;
// The contraction stems, each followed by one blank.
inline constexpr char16_t kContractionStems[] =
    u"aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";

// The candidate at lngLP after the rules, as a view into run.strLine (valid until the line
// changes; possibly empty). Advances lngLP past the raw candidate. `wordChars` is the test
// built from run.strExtraChars without digits.
QStringView ExtractWord(RunState& run, const WordCharTable& wordChars);
// The same, building the test from run.strExtraChars.
QStringView ExtractWord(RunState& run);

// True when the candidate has 3 to intMaxPermittedWordLength characters, is not one
// character repeated and does not read as a Roman numeral.
bool AcceptWord(const RunState& run, QStringView candidate);

}  // namespace lxt

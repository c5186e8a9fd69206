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

// True for a candidate that AcceptWord surely accepts (the usual case, decided at once): 3 to
// maxLength characters, the first two different and not blanks, the first not a letter of
// a Roman numeral. False says nothing.
inline bool SurelyAccepted(QStringView candidate, int maxLength) {
    const qsizetype n = candidate.size();
    if (n <= 2 || n > maxLength) return false;
    const char16_t first = candidate[0].unicode();
    const char16_t second = candidate[1].unicode();
    if (first >= 128 || first == u' ' || second == u' ' || second == first) return false;
    switch (first | 0x20) {  // I, V, X, L, C, D, M in either case (and a few others)
        case u'i':
        case u'v':
        case u'x':
        case u'l':
        case u'c':
        case u'd':
        case u'm':
            return false;
        default:
            return true;
    }
}

}  // namespace lxt

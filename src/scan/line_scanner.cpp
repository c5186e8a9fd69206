#include "scan/line_scanner.h"

#include <algorithm>
#include <array>

#include "run/event_pump.h"
#include "run/run_error.h"
#include "run/run_state.h"
#include "run/word_list.h"
#include "scan/char_case.h"
#include "scan/markup.h"
#include "scan/scan_options.h"
#include "scan/word_rules.h"

namespace lxt {

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kTab = 9;
constexpr char16_t kLineFeed = 10;
constexpr char16_t kFormFeed = 12;
constexpr char16_t kCarriageReturn = 13;
constexpr char16_t kNoBreakSpace = 160;

// The word-character tests of the current extra characters: the whole set, and the set of
// characters that may begin a word. Rebuilt only when the extra characters change.
struct CharTests {
    QString extra;
    QString prohibited;
    WordCharTable word{u"", false};
    WordCharTable start{u"", false};
};

const CharTests& TestsFor(const RunState& run) {
    static CharTests tests;
    static bool built = false;
    const auto same = [](const QString& a, const QString& b) {
        return a.constData() == b.constData() ? a.size() == b.size() : a == b;
    };
    if (!built || !same(tests.extra, run.strExtraChars) ||
        !same(tests.prohibited, run.strProhibitedInitialOrFinalChars)) {
        tests.extra = run.strExtraChars;
        tests.prohibited = run.strProhibitedInitialOrFinalChars;
        tests.word = WordCharTable(tests.extra, false);
        tests.start = WordCharTable(StartChars(tests.extra, tests.prohibited), false);
        built = true;
    }
    return tests;
}

// The first characters, lower-cased, of the start markers in use: a marked span can only
// begin at a character that is one of them.
struct MarkerStarts {
    explicit MarkerStarts(const RunState& run) {
        const int pairs = std::min<int>(run.intNumCommentMarkers, int(run.strStartMarker.size()));
        for (int i = 0; i < pairs; ++i) {
            const QString& m = run.strStartMarker[size_t(i)];
            if (!m.isEmpty() && count < int(first.size())) first[size_t(count++)] = LowerChar(m[0]);
        }
    }
    bool May(QChar c) const {
        const QChar lower = LowerChar(c);
        for (int i = 0; i < count; ++i) {
            if (first[size_t(i)] == lower) return true;
        }
        return false;
    }
    std::array<QChar, 10> first{};
    int count = 0;
};

void Pump(RunState& run) {
    if (run.blnStartUpCompleted) run.eventPump.Pump(run.ui);
}

// Marked spans at lngLP (step 2 of the main loop). Returns false when the line is finished.
bool SkipSpans(RunState& run, const MarkerStarts& starts) {
    if (run.intWithinComment == -1) {
        if (!starts.May(run.strLine.at(run.lngLP - 1))) return true;
        run.intWithinComment = FindMarkerAt(run);
    }
    while (run.intWithinComment >= 0) {
        SkipMarkedSpan(run);
        const qint32 length = static_cast<qint32>(run.strLine.size());
        if (run.lngLP > length) return false;
        if (run.lngLP == length && run.strLine.back() == u' ') {
            run.intWithinComment = -1;
            return false;
        }
        run.intWithinComment = FindMarkerAt(run);
        Pump(run);
    }
    return true;
}

// Moves lngLP to the first character other than a blank after it; false when none is left.
bool SkipToNextNonBlank(RunState& run) {
    const QStringView line(run.strLine);
    for (qsizetype i = run.lngLP; i < line.size(); ++i) {
        if (line[i] != u' ') {
            run.lngLP = static_cast<qint32>(i) + 1;
            return true;
        }
    }
    return false;
}

}  // namespace

void CleanLine(QString& line) {
    const qsizetype n = line.size();
    const char16_t* d = reinterpret_cast<const char16_t*>(line.constData());
    int dirty = 0;  // a sum without early exit, which the compiler vectorises
    for (qsizetype i = 0; i < n; ++i) {
        dirty += int(d[i] <= kCarriageReturn) + int(d[i] == kNoBreakSpace);
    }
    if (dirty == 0) return;
    if (line.contains(QChar(kBackspace))) line.remove(QChar(kBackspace));
    QChar* w = line.data();
    const qsizetype size = line.size();
    qsizetype out = 0;
    for (qsizetype r = 0; r < size; ++r) {
        const char16_t c = w[r].unicode();
        if (c == kCarriageReturn && r + 1 < size && w[r + 1].unicode() == kLineFeed) ++r;
        if (c == kLineFeed || c == kFormFeed || c == kCarriageReturn || c == kNoBreakSpace ||
            c == kTab) {
            w[out++] = u' ';
        } else {
            w[out++] = w[r];
        }
    }
    line.truncate(out);
}

void SpaceDoubleHyphens(QString& line) {
    const qsizetype n = line.size();
    const QChar* r = line.constData();
    qsizetype p = line.indexOf(u'-');
    while (p >= 0 && p + 1 < n && r[p + 1] != u'-') p = line.indexOf(u'-', p + 1);
    if (p < 0 || p + 1 >= n) return;  // no "--" at all
    QChar* d = line.data();
    while (p + 1 < n) {
        if (d[p] == u'-' && d[p + 1] == u'-') {
            // p is 0-based: the pair must start at the third character or later.
            if (p >= 2) {
                const QStringView view(d, n);
                if (view.mid(p - 2, 4) != u"<!--" && view.mid(p, 3) != u"-->") {
                    d[p] = u' ';
                    d[p + 1] = u' ';
                }
            }
            p += 2;
        } else {
            ++p;
        }
    }
}

void ScanLine(RunState& run) {
    CleanLine(run.strLine);
    if (run.blnReadingWords) {
        run.blnCommentsPossible = true;
    } else {
        run.blnCommentsPossible = run.intNumCommentMarkers > 0;
        SpaceDoubleHyphens(run.strLine);
        if (run.blnCharacterEntitiesPossible) run.strLine = DecodeEntities(run.strLine);
    }
    run.lngLP = 1;

    const CharTests& tests = TestsFor(run);
    const MarkerStarts starts(run);
    // When no marker and no word begins with a blank, a pass that starts at a blank only moves
    // on to the next character other than a blank: that is done at once after each candidate.
    const bool blankOnlySeparates = !starts.May(QChar(u' ')) && !tests.start(QChar(u' '));
    while (run.lngLP < run.strLine.size()) {
        Pump(run);
        if (run.blnCommentsPossible && !SkipSpans(run, starts)) return;

        if (!tests.start(run.strLine.at(run.lngLP - 1))) {
            if (!SkipToNextNonBlank(run)) return;
            continue;
        }
        const qint32 before = run.lngLP;
        const QStringView candidate = ExtractWord(run, tests.word);
        if (run.lngLP == before) ++run.lngLP;  // never stand still
        if (AcceptWord(run, candidate)) {
            if (run.blnReadingWords) {
                AddWordToList(run, candidate);
            } else {
                IncrementCounter(run.lngTotalNumOccurrences);
                GetWords2(run, candidate);
            }
        }
        Pump(run);
        if (run.blnStop) return;
        if (blankOnlySeparates && run.lngLP < run.strLine.size() &&
            run.strLine.at(run.lngLP - 1) == u' ' && !SkipToNextNonBlank(run)) {
            return;
        }
    }
}

}  // namespace lxt

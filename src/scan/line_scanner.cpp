#include "scan/line_scanner.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "scan/markup.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "scan/word_rules.h"
#include "scan/word_sink.h"
#include "support/char_case.h"
#include "support/str_proc.h"

namespace lxt {

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kTab = 9;
constexpr char16_t kLineFeed = 10;
constexpr char16_t kFormFeed = 12;
constexpr char16_t kCarriageReturn = 13;
constexpr char16_t kNoBreakSpace = 160;

// The first characters, lower-cased, of the start markers in use: a marked span can only
// begin at a character that is one of them.
struct MarkerStarts {
    explicit MarkerStarts(const MarkupMarkers& markers) {
        const int pairs = std::min<int>(markers.count, int(markers.start.size()));
        for (int i = 0; i < pairs; ++i) {
            const QString& m = markers.start[size_t(i)];
            if (m.isEmpty() || count >= int(first.size())) continue;
            const QChar lower = LowerChar(m[0]);
            first[size_t(count++)] = lower;
            // The characters below 128 whose lower case is `lower`: itself and its capital.
            const char16_t u = lower.unicode();
            if (u < 128) Mark(u);
            if (u >= u'a' && u <= u'z') Mark(char16_t(u - 32));
        }
    }
    bool May(QChar c) const {
        const char16_t u = c.unicode();
        if (u < 128) return (ascii[u >> 6] >> (u & 63)) & 1u;
        const QChar lower = LowerChar(c);
        for (int i = 0; i < count; ++i) {
            if (first[size_t(i)] == lower) return true;
        }
        return false;
    }
    void Mark(char16_t u) { ascii[u >> 6] |= quint64(1) << (u & 63); }

    // False only when no marked span can begin anywhere in `line`: every first character is
    // a character below 128 other than a small letter (so that only itself lower-cases to
    // it), and none of them occurs in the line.
    bool MayInLine(const char16_t* line, qsizetype n) const {
        if (count == 0) return false;
        for (int i = 0; i < count; ++i) {
            const char16_t u = first[size_t(i)].unicode();
            if (u >= 128 || (u >= u'a' && u <= u'z')) return true;
        }
#if defined(__SSE2__)
        if (n >= 8) {
            const auto hit = [&](qsizetype i) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + i));
                __m128i any = _mm_setzero_si128();
                for (int k = 0; k < count; ++k) {
                    const short c = static_cast<short>(first[size_t(k)].unicode());
                    any = _mm_or_si128(any, _mm_cmpeq_epi16(v, _mm_set1_epi16(c)));
                }
                return _mm_movemask_epi8(any) != 0;
            };
            for (qsizetype i = 0; i + 8 < n; i += 8) {
                if (hit(i)) return true;
            }
            return hit(n - 8);  // the last eight, which may overlap the ones before
        }
#endif
        for (qsizetype i = 0; i < n; ++i) {
            for (int k = 0; k < count; ++k) {
                if (line[i] == first[size_t(k)].unicode()) return true;
            }
        }
        return false;
    }

    std::array<QChar, 10> first{};
    int count = 0;
    std::array<quint64, 2> ascii{};
};

// True when a word may begin at line[at]: a letter or a start character (a surrogate pair is
// one character; a combining mark never begins a word).
bool BeginsWord(const WordCharTable& start, const char16_t* line, qsizetype size, qsizetype at) {
    int length = 1;
    return (start.At(line + at, line + size, length) & WordCharTable::kWordBit) != 0;
}
bool BeginsWord(const WordCharTable& start, const QString& line, qsizetype at) {
    return BeginsWord(start, reinterpret_cast<const char16_t*>(line.constData()), line.size(), at);
}

// Marked spans at the scan position, stepped over before a word is looked for. Returns false
// when the line is finished.
bool SkipSpans(ScanState& state, const ScanOptions& options, const MarkerStarts& starts,
               ScanEvents& events) {
    const QStringView line(state.line);
    if (state.withinComment == -1) {
        if (!starts.May(line[state.scanPosition])) return true;
        state.withinComment = FindMarkerAt(line, state.scanPosition, options);
    }
    while (state.withinComment >= 0) {
        SkipMarkedSpan(line, state.scanPosition, state.withinComment, options);
        const qsizetype length = line.size();
        if (state.scanPosition >= length) return false;
        if (state.scanPosition == length - 1 && line.back() == u' ') {
            state.withinComment = -1;
            return false;
        }
        state.withinComment = FindMarkerAt(line, state.scanPosition, options);
        events.LetEventsRun();
    }
    return true;
}

// Moves the scan position to the first character other than a blank after it; false when
// none is left.
bool SkipToNextNonBlank(ScanState& state) {
    const QStringView line(state.line);
    for (qsizetype i = state.scanPosition + 1; i < line.size(); ++i) {
        if (line[i] != u' ') {
            state.scanPosition = i;
            return true;
        }
    }
    return false;
}

// True when the line holds a character that CleanLine changes (or some other control
// character, which is harmless).
bool NeedsCleaning(const char16_t* d, qsizetype n) {
#if defined(__SSE2__)
    if (n >= 8) {
        const __m128i controls = _mm_set1_epi16(kCarriageReturn);
        const __m128i noBreak = _mm_set1_epi16(static_cast<short>(kNoBreakSpace));
        const auto hit = [&](qsizetype i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
            const __m128i low = _mm_cmpeq_epi16(_mm_subs_epu16(v, controls), _mm_setzero_si128());
            return _mm_movemask_epi8(_mm_or_si128(low, _mm_cmpeq_epi16(v, noBreak))) != 0;
        };
        for (qsizetype i = 0; i + 8 < n; i += 8) {
            if (hit(i)) return true;
        }
        return hit(n - 8);  // the last eight, which may overlap the ones before
    }
#endif
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i] <= kCarriageReturn || d[i] == kNoBreakSpace) return true;
    }
    return false;
}

// The index of the first "--" at or after `from`, or -1.
qsizetype FindDoubleHyphen(const char16_t* d, qsizetype n, qsizetype from) {
#if defined(__SSE2__)
    if (n - from >= 9) {
        const __m128i hyphen = _mm_set1_epi16(u'-');
        // The pairs starting at i..i+7.
        const auto pairs = [&](qsizetype i) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i + 1));
            return unsigned(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi16(a, hyphen), _mm_cmpeq_epi16(b, hyphen))));
        };
        qsizetype i = from;
        for (; i + 9 < n; i += 8) {
            if (const unsigned mask = pairs(i)) return i + __builtin_ctz(mask) / 2;
        }
        // The last pairs, which may overlap those already seen (none of which was a hit).
        i = n - 9;
        if (const unsigned mask = pairs(i)) return i + __builtin_ctz(mask) / 2;
        return -1;
    }
#endif
    for (qsizetype i = from; i + 1 < n; ++i) {
        if (d[i] == u'-' && d[i + 1] == u'-') return i;
    }
    return -1;
}

}  // namespace

bool PrepareLineForScan(QString& line, bool repairs, bool caseSignificant) {
    TrimControls(line);
    if (line.isEmpty()) return false;
    if (repairs) {
        RepairDecodedPairs(line);
        RepairDecodedPunctuation(line);
    }
    if (!caseSignificant) LowerCaseFullInPlace(line);
    line += u' ';
    return true;
}

void CleanLine(QString& line) {
    if (!NeedsCleaning(reinterpret_cast<const char16_t*>(line.constData()), line.size())) return;
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
    qsizetype p = FindDoubleHyphen(reinterpret_cast<const char16_t*>(line.constData()), n, 0);
    if (p < 0) return;
    QChar* d = line.data();
    const char16_t* u = reinterpret_cast<const char16_t*>(d);
    while (p >= 0) {
        // p is 0-based: the pair must start at the third character or later.
        if (p >= 2) {
            const QStringView view(d, n);
            if (view.mid(p - 2, 4) != u"<!--" && view.mid(p, 3) != u"-->") {
                d[p] = u' ';
                d[p + 1] = u' ';
            }
        }
        p = FindDoubleHyphen(u, n, p + 2);
    }
}

void ScanLine(ScanState& state, const ScanOptions& options, WordSink& sink, ScanEvents& events) {
    CleanLine(state.line);
    if (!options.readingWords) {
        SpaceDoubleHyphens(state.line);
        if (options.decodeEntities) state.line = DecodeEntities(state.line);
    }
    state.scanPosition = 0;

    const MarkerStarts starts(options.markers);
    // Marked spans are looked for only when one is open or one may begin in this line.
    const bool spans = options.commentsPossible &&
                       (state.withinComment != -1 ||
                        starts.MayInLine(reinterpret_cast<const char16_t*>(state.line.constData()),
                                         state.line.size()));
    while (state.scanPosition + 1 < state.line.size()) {
        events.LetEventsRun();
        if (spans && !SkipSpans(state, options, starts, events)) return;

        if (!BeginsWord(options.start, state.line, state.scanPosition)) {
            if (!SkipToNextNonBlank(state)) return;
            continue;
        }
        const qsizetype before = state.scanPosition;
        const QStringView candidate = ExtractWord(state.line, state.scanPosition, options);
        if (state.scanPosition == before) ++state.scanPosition;  // never stand still
        if (SurelyAccepted(candidate, options.maxWordLength) ||
            AcceptWord(candidate, options.maxWordLength)) {
            sink.Accept(candidate);
        }
        events.LetEventsRun();
        if (events.StopRequested()) return;

        // The passes that only step over a separator and the blanks after it (no marked span
        // and no word can begin there) are made here at once, without the event pumping.
        const char16_t* line = reinterpret_cast<const char16_t*>(state.line.constData());
        const qsizetype size = state.line.size();
        qsizetype at = state.scanPosition;
        while (at + 1 < size) {
            const QChar c(line[at]);
            if (BeginsWord(options.start, line, size, at) || (spans && starts.May(c))) break;
            ++at;
            while (at < size && line[at] == u' ') ++at;
            if (at >= size) return;
        }
        state.scanPosition = at;
    }
}

}  // namespace lxt

#include "scan/plain_line_scanner.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "scan/word_rules.h"
#include "scan/word_sink.h"

namespace lxt {

namespace {

constexpr unsigned char kBlank = 32;
constexpr unsigned char kFirstNonAscii = 128;
// The scan lets events run after each this many bytes (the pump itself reads the clock only
// every so many calls, so a stop is seen within a few thousand words): about one yield for
// every two or three words instead of one for each candidate.
constexpr qsizetype kBytesPerYield = 16;

bool IsAsciiLetter(char16_t u) {
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

}  // namespace

PlainLineScanner::PlainLineScanner(const ScanOptions& options, bool caseSignificant)
    : options_(options), caseSignificant_(caseSignificant), usable_(!options.readingWords) {
    const MarkupMarkers& markers = options.markers;
    const int pairs = std::min(markers.count, MarkupMarkers::kMaxPairs);
    for (int i = 0; i < pairs; ++i) {
        const QString& start = markers.start[size_t(i)];
        if (start.isEmpty()) continue;
        const char16_t first = start[0].unicode();
        // A marker that begins with a letter, or beyond ASCII, matches in more than one
        // case or spelling: such a scan takes ScanLine for every line.
        if (first >= kFirstNonAscii || IsAsciiLetter(first)) usable_ = false;
        if (first < kFirstNonAscii) refused_[first] = true;
    }
    if (options.decodeEntities) refused_[u'&'] = true;
    for (char16_t u = 0; u < kFirstNonAscii; ++u) {
        word_[u] = static_cast<unsigned char>(options.word.LowFlags(u));
        start_[u] = static_cast<unsigned char>(options.start.LowFlags(u) & WordCharTable::kWordBit);
    }
    hyphenIsWordChar_ = (word_[u'-'] & WordCharTable::kWordBit) != 0;
    wide_.resize(size_t(kMaxCandidateLength));
}

bool PlainLineScanner::Prepare(const unsigned char* p, qsizetype n) {
    line_.resize(n + 1);
    auto* out = reinterpret_cast<unsigned char*>(line_.data());
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: any byte below 32 or from 128 on (a signed byte below 32) ends
    // the quick way; capitals are folded on the way.
    const __m128i blank = _mm_set1_epi8(static_cast<char>(kBlank));
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i caseBit = _mm_set1_epi8('a' - 'A');
    const __m128i fold = caseSignificant_ ? _mm_setzero_si128() : _mm_set1_epi8(-1);
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (_mm_movemask_epi8(_mm_cmplt_epi8(v, blank)) != 0) return false;
        const __m128i capital =
            _mm_and_si128(_mm_cmpgt_epi8(v, beforeA), _mm_cmplt_epi8(v, afterZ));
        const __m128i folded =
            _mm_or_si128(v, _mm_and_si128(_mm_and_si128(capital, fold), caseBit));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), folded);
    }
#endif
    for (; i < n; ++i) {
        unsigned char c = p[i];
        if (c < kBlank || c >= kFirstNonAscii) return false;
        if (!caseSignificant_ && c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
        out[i] = c;
    }
    for (i = 0; i < n; ++i) {
        if (refused_[out[i]]) return false;
    }
    out[n] = kBlank;
    return true;
}

// Each "--" from the third character on becomes two blanks, except in "<!--" and "-->",
// searching on after each pair as ScanLine's own spacing does.
void PlainLineScanner::SpaceDoubleHyphens() {
    char* d = line_.data();
    const qsizetype n = line_.size();
    const char* end = d + n;
    const char* at = static_cast<const char*>(std::memchr(d, '-', size_t(n)));
    while (at != nullptr && at + 1 < end) {
        const qsizetype p = at - d;
        if (d[p + 1] != '-') {
            at = static_cast<const char*>(std::memchr(at + 1, '-', size_t(end - at - 1)));
            continue;
        }
        if (p >= 2) {
            const bool commentOpen = p + 2 <= n && std::memcmp(d + p - 2, "<!--", 4) == 0;
            const bool commentClose = p + 3 <= n && std::memcmp(d + p, "-->", 3) == 0;
            if (!commentOpen && !commentClose) {
                d[p] = ' ';
                d[p + 1] = ' ';
            }
        }
        if (p + 2 >= n) break;
        at = static_cast<const char*>(std::memchr(d + p + 2, '-', size_t(n - p - 2)));
    }
}

PlainLineScanner::Outcome PlainLineScanner::Scan(QByteArrayView bytes, ScanState& state,
                                                 WordSink& sink, ScanEvents& events) {
    if (!usable_ || state.withinComment != -1) return Outcome::NeedsScanLine;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && p[first] <= kBlank) ++first;
    while (last > first && p[last - 1] <= kBlank) --last;
    if (first == last) return Outcome::Empty;
    if (!Prepare(p + first, last - first)) return Outcome::NeedsScanLine;
    if (hyphenIsWordChar_) SpaceDoubleHyphens();

    const auto* b = reinterpret_cast<const unsigned char*>(line_.constData());
    const qsizetype n = line_.size();  // the blank appended included
    qsizetype pos = 0;
    qsizetype nextYield = untilYield_;  // counted on from the lines before
    while (pos + 1 < n) {
        if (start_[b[pos]] == 0) {
            // Not where a word begins: on to the next character other than a blank.
            ++pos;
            while (pos < n && b[pos] == kBlank) ++pos;
            continue;
        }
        const qsizetype limit = std::min<qsizetype>(n - pos, kMaxCandidateLength);
        unsigned flags = 0;
        qsizetype length = 0;
        while (length < limit) {
            const unsigned f = word_[b[pos + length]];
            if ((f & WordCharTable::kWordBit) == 0) break;
            flags |= f;
            ++length;
        }
        for (qsizetype k = 0; k < length; ++k) wide_[size_t(k)] = b[pos + k];
        pos += length;
        const QStringView candidate =
            ApplyWordRules(QStringView(wide_.data(), length), flags, options_);
        if (SurelyAccepted(candidate, options_.maxWordLength) ||
            AcceptWord(candidate, options_.maxWordLength)) {
            sink.Accept(candidate);
        }
        if (pos >= nextYield) {
            events.LetEventsRun();
            nextYield = pos + kBytesPerYield;
        }
        if (events.StopRequested()) break;
    }
    state.scanPosition = pos;
    untilYield_ = nextYield - n;
    return Outcome::Scanned;
}

}  // namespace lxt

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
#include "support/str_proc.h"

namespace lxt {

namespace {

constexpr unsigned char kBlank = 32;
constexpr qsizetype kBlock = 16;
constexpr char16_t kBytes = 256;
constexpr char16_t kNoBreakSpace = 160;
constexpr unsigned char kFirstNonAscii = 128;
// The scan lets events run after each this many bytes (the pump itself reads the clock only
// every so many calls, so a stop is seen within a few thousand words): about one yield for
// every two or three words instead of one for each candidate.
constexpr qsizetype kBytesPerYield = 16;

bool IsAsciiLetter(char16_t u) {
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// AcceptWord for a candidate of characters below 256 (no blank among them), deciding the
// usual word at once: 3 to maxLength characters, not one character repeated, and not written in
// the letters of Roman numerals only (those few go to AcceptWord for its exceptions).
inline bool AcceptsSingleBytes(QStringView candidate, int maxLength) {
    const qsizetype n = candidate.size();
    if (n <= 2 || n > maxLength) return false;
    const char16_t* w = candidate.utf16();
    // Most words have a letter outside IVXLCDM among their first few, and a second letter
    // other than their first.
    qsizetype i = 0;
    constexpr quint64 kRoman[2] = {RomanMask(0), RomanMask(1)};
    while (i < n && w[i] < 128 && ((kRoman[w[i] / 64] >> (w[i] % 64)) & 1) != 0) ++i;
    if (i == n) return AcceptWord(candidate, maxLength);
    if (w[1] != w[0]) return true;
    qsizetype k = 2;
    while (k < n && w[k] == w[0]) ++k;
    return k < n;
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
        if (refused_[u]) refusedList_[size_t(refusedCount_++)] = static_cast<char>(u);
    }
    for (char16_t u = 0; u < kBytes; ++u) {
        word_[u] = static_cast<unsigned char>(options.word.LowFlags(u));
        start_[u] = static_cast<unsigned char>(options.start.LowFlags(u) & WordCharTable::kWordBit);
        // The character a byte stands for once case-folded, when the quick way takes it: a
        // character from the blank on, below the C1 controls or from the first character
        // after the no-break space (which the cleaning turns into a blank), whose lower case
        // is such a character too.
        const auto plain = [this](char16_t c) {
            return c >= kBlank && c < kBytes && (c < kFirstNonAscii || c > kNoBreakSpace) &&
                   !(c < kFirstNonAscii && refused_[c]);
        };
        if (!plain(u)) continue;
        const QString folded =
            caseSignificant ? QString(QChar(u)) : LowerCaseFull(QString(QChar(u)));
        if (folded.size() == 1 && plain(folded[0].unicode())) {
            fold_[u] = static_cast<unsigned char>(folded[0].unicode());
        }
    }
    hyphenIsWordChar_ = (word_[u'-'] & WordCharTable::kWordBit) != 0;
    wide_.resize(size_t(kMaxCandidateLength + kBlock));
}

bool PlainLineScanner::Prepare(const unsigned char* p, qsizetype n, bool utf8) {
    // Room after the blank for whole blocks of sixteen bytes read at the end of the line.
    line_.resize(n + 1 + kBlock);
    auto* out = reinterpret_cast<unsigned char*>(line_.data());
    qsizetype i = 0;
    hasHyphen_ = false;
#if defined(__SSE2__)
    const __m128i hyphen = _mm_set1_epi8('-');
    // Sixteen ASCII bytes at a time, capitals folded on the way; a block that holds a byte
    // below 32 or from 128 on (a signed byte below 32), or a refused byte, is taken byte by
    // byte below.
    const __m128i blank = _mm_set1_epi8(static_cast<char>(kBlank));
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i caseBit = _mm_set1_epi8('a' - 'A');
    const __m128i fold = caseSignificant_ ? _mm_setzero_si128() : _mm_set1_epi8(-1);
    const auto block = [&](qsizetype at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        __m128i bad = _mm_cmplt_epi8(v, blank);
        for (int k = 0; k < refusedCount_; ++k) {
            bad = _mm_or_si128(bad, _mm_cmpeq_epi8(v, _mm_set1_epi8(refusedList_[size_t(k)])));
        }
        if (_mm_movemask_epi8(bad) != 0) return false;
        hasHyphen_ |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, hyphen)) != 0;
        const __m128i capital =
            _mm_and_si128(_mm_cmpgt_epi8(v, beforeA), _mm_cmplt_epi8(v, afterZ));
        const __m128i folded =
            _mm_or_si128(v, _mm_and_si128(_mm_and_si128(capital, fold), caseBit));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), folded);
        return true;
    };
    while (i + kBlock <= n && block(i)) i += kBlock;
    // The last bytes as one block that overlaps the ones before, when all were ASCII.
    if (i + kBlock > n && i >= kBlock && i < n && block(n - kBlock)) i = n;
#endif
    // Byte by byte from the first block that was not plain ASCII: the characters below 256,
    // from one byte (Windows-1252) or from a two-byte sequence (UTF-8).
    qsizetype o = i;
    while (i < n) {
        unsigned c = p[i++];
        if (utf8 && c >= kFirstNonAscii) {
            if ((c != 0xC2 && c != 0xC3) || i >= n || (p[i] & 0xC0) != 0x80) return false;
            c = ((c & 0x1F) << 6) | (p[i++] & 0x3F);
        }
        const unsigned char folded = fold_[c];
        if (folded == 0) return false;
        hasHyphen_ |= folded == '-';
        out[o++] = folded;
    }
    size_ = o + 1;
    std::memset(out + o, kBlank, size_t(1 + kBlock));
    return true;
}

// Each "--" from the third character on becomes two blanks, except in "<!--" and "-->",
// searching on after each pair as ScanLine's own spacing does.
void PlainLineScanner::SpaceDoubleHyphens() {
    char* d = line_.data();
    const qsizetype n = size_;
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

// The length of the run of word characters at b (at most `limit`). Runs of the small
// letters a-z are taken sixteen at a time; the blocks may read past the blank that ends the
// line into the room after it, where the run has always ended.
inline qsizetype PlainLineScanner::WordRun(const unsigned char* b, qsizetype limit) const {
    qsizetype length = 0;
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi8('a');
    const __m128i z = _mm_set1_epi8('z');
    for (;;) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + length));
        // a-z: unsigned a <= v <= z.
        const __m128i small = _mm_cmpeq_epi8(_mm_max_epu8(_mm_min_epu8(v, z), a), v);
        const unsigned letters =
            unsigned(__builtin_ctz(~unsigned(_mm_movemask_epi8(small)) | 0x10000u));
        length += letters;
        if (letters == kBlock) continue;
        // Another word character (a capital, a hyphen, a digit ...) goes on with the run.
        if ((word_[b[length]] & WordCharTable::kWordBit) == 0) break;
        ++length;
    }
    return std::min(length, limit);
#else
    while (length < limit && (word_[b[length]] & WordCharTable::kWordBit) != 0) ++length;
    return length;
#endif
}

// The word-character flags that the rules read (a vowel or y among the characters), found
// at the first vowel.
inline unsigned PlainLineScanner::VowelFlag(const unsigned char* b, qsizetype length) const {
    for (qsizetype k = 0; k < length; ++k) {
        if ((word_[b[k]] & WordCharTable::kVowelOrYBit) != 0) return WordCharTable::kVowelOrYBit;
    }
    return 0;
}

inline void PlainLineScanner::Widen(const unsigned char* from, qsizetype length, char16_t* to) {
    qsizetype k = 0;
#if defined(__SSE2__)
    // Whole blocks (the line has room after its end, the buffer after the longest word).
    for (; k < length; k += kBlock) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k),
                         _mm_unpacklo_epi8(v, _mm_setzero_si128()));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k + 8),
                         _mm_unpackhi_epi8(v, _mm_setzero_si128()));
    }
#else
    for (; k < length; ++k) to[k] = from[k];
#endif
}

PlainLineScanner::Outcome PlainLineScanner::Scan(QByteArrayView bytes, bool utf8, ScanState& state,
                                                 WordSink& sink, ScanEvents& events) {
    if (!usable_ || state.withinComment != -1) return Outcome::NeedsScanLine;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && p[first] <= kBlank) ++first;
    while (last > first && p[last - 1] <= kBlank) --last;
    if (first == last) return Outcome::Empty;
    if (!Prepare(p + first, last - first, utf8)) return Outcome::NeedsScanLine;
    if (hyphenIsWordChar_ && hasHyphen_) SpaceDoubleHyphens();

    const auto* b = reinterpret_cast<const unsigned char*>(line_.constData());
    const qsizetype n = size_;  // the blank appended included
    qsizetype pos = 0;
    qsizetype nextYield = untilYield_;  // counted on from the lines before
    char16_t* wide = wide_.data();
    while (pos + 1 < n) {
        if (start_[b[pos]] == 0) {
            // Not where a word begins: on to the next character other than a blank.
            ++pos;
            while (pos < n && b[pos] == kBlank) ++pos;
            continue;
        }
        const qsizetype length =
            WordRun(b + pos, std::min<qsizetype>(n - pos, kMaxCandidateLength));
        const unsigned char* word = b + pos;
        pos += length;
        // The rules never lengthen a candidate: one of two characters or fewer is rejected
        // as it stands.
        if (length > 2) {
            Widen(word, length, wide);
            const QStringView candidate =
                ApplyWordRules(QStringView(wide, length), VowelFlag(word, length), options_);
            if (AcceptsSingleBytes(candidate, options_.maxWordLength)) sink.Accept(candidate);
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

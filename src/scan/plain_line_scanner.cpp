#include "scan/plain_line_scanner.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "support/str_proc.h"

namespace lxt {

namespace {

constexpr unsigned char kBlank = PlainLineScanner::kBlank;
constexpr qsizetype kBlock = PlainLineScanner::kBlock;
constexpr char16_t kBytes = 256;
constexpr char16_t kNoBreakSpace = 160;
constexpr unsigned char kFirstNonAscii = 128;

}  // namespace

PlainLineScanner::PlainLineScanner(const ScanOptions& options, bool caseSignificant)
    : caseSignificant_(caseSignificant), usable_(false) {
    usable_ = QuickScanRefusals(options, refused_);
    refusedList_.fill(0);  // a control character: refused anyway
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
    const bool counting = !options.readingWords;
    rules_ = {options.dropFinalS && counting, !options.apostrophesAllowed && counting,
              options.ignoreNoVowel, options.maxWordLength};
    for (const char16_t c : u"IVXLCDMivxlcdm") roman_[c] = c != 0;
    // The sentinel after a line: a character that may begin a word (with none, no word is
    // ever found and the general way is as quick).
    const auto start =
        std::find_if(start_.begin(), start_.end(), [](unsigned char f) { return f != 0; });
    if (start == start_.end())
        usable_ = false;
    else
        wordStart_ = static_cast<unsigned char>(start - start_.begin());
    wide_.resize(size_t(kMaxCandidateLength + kBlock));
}

bool PlainLineScanner::Prepare(const unsigned char* p, qsizetype n, bool utf8) {
    // Room after the blank for whole blocks of sixteen bytes read at the end of the line; the
    // first byte of that room is the sentinel where a word may begin.
    const auto room = static_cast<size_t>(n + 1 + kBlock);
    if (line_.size() < room) line_.resize(std::max(room, 2 * line_.size()));
    unsigned char* out = line_.data();
    qsizetype i = 0;  // in the line's bytes
    qsizetype o = 0;  // in the line prepared
    bool hyphen = false;
#if defined(__SSE2__)
    // Sixteen ASCII bytes at a time, capitals folded on the way. A byte below 32 or from 128
    // on (a signed byte below 32), or a refused byte, is taken on its own below, and the blocks
    // go on after it.
    const __m128i blank = _mm_set1_epi8(static_cast<char>(kBlank));
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i caseBit =
        caseSignificant_ ? _mm_setzero_si128() : _mm_set1_epi8(static_cast<char>('a' - 'A'));
    const __m128i hyphens = _mm_set1_epi8('-');
    const __m128i refused0 = _mm_set1_epi8(refusedList_[0]);
    const __m128i refused1 = _mm_set1_epi8(refusedList_[1]);
    __m128i seen = _mm_setzero_si128();  // the hyphens met
    // The block at p + from folded, and the mask of its bytes to be taken on their own.
    const auto block = [&](qsizetype from, __m128i& folded) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
        __m128i bad = _mm_cmplt_epi8(v, blank);
        // The usual scan refuses one or two bytes; unused places hold a control character.
        bad = _mm_or_si128(bad,
                           _mm_or_si128(_mm_cmpeq_epi8(v, refused0), _mm_cmpeq_epi8(v, refused1)));
        for (int k = 2; k < refusedCount_; ++k) {
            bad = _mm_or_si128(bad, _mm_cmpeq_epi8(v, _mm_set1_epi8(refusedList_[size_t(k)])));
        }
        seen = _mm_or_si128(seen, _mm_cmpeq_epi8(v, hyphens));
        const __m128i capital =
            _mm_and_si128(_mm_cmpgt_epi8(v, beforeA), _mm_cmplt_epi8(v, afterZ));
        folded = _mm_or_si128(v, _mm_and_si128(capital, caseBit));
        return unsigned(_mm_movemask_epi8(bad));
    };
    const auto store = [&](qsizetype to, __m128i folded) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + to), folded);
    };
#endif
    while (i < n) {
#if defined(__SSE2__)
        __m128i block16;
        if (i + kBlock <= n) {
            // The bytes before the first one to be taken on its own are done; those after it
            // are written again.
            const unsigned own = block(i, block16);
            store(o, block16);
            const qsizetype done = own == 0 ? kBlock : __builtin_ctz(own);
            i += done;
            o += done;
            if (own == 0) continue;
        } else if (i == o && i >= kBlock && block(n - kBlock, block16) == 0) {
            // The last bytes as one block that overlaps the ones before, when every character
            // so far was one byte and those of the block are ASCII.
            store(n - kBlock, block16);
            i = o = n;
            break;
        }
#endif
        // One character below 256, from one byte (Windows-1252) or from a two-byte sequence
        // (UTF-8).
        unsigned c = p[i++];
        if (utf8 && c >= kFirstNonAscii) {
            if ((c != 0xC2 && c != 0xC3) || i >= n || (p[i] & 0xC0) != 0x80) return false;
            c = ((c & 0x1F) << 6) | (p[i++] & 0x3F);
        }
        const unsigned char folded = fold_[c];
        if (folded == 0) return false;
        hyphen |= folded == '-';
        out[o++] = folded;
    }
#if defined(__SSE2__)
    hyphen |= _mm_movemask_epi8(seen) != 0;
#endif
    hasHyphen_ = hyphen;
    size_ = o + 1;
    std::memset(out + o, kBlank, size_t(1 + kBlock));
    out[size_] = wordStart_;
    return true;
}

// Each "--" from the third character on becomes two blanks, except in "<!--" and "-->",
// searching on after each pair as ScanLine's own spacing does.
void PlainLineScanner::SpaceDoubleHyphens() {
    auto* d = reinterpret_cast<char*>(line_.data());
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

PlainLineScanner::Outcome PlainLineScanner::PrepareLine(QByteArrayView bytes, bool utf8,
                                                        const ScanState& state) {
    if (!usable_ || state.withinComment != -1) return Outcome::NeedsScanLine;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && p[first] <= kBlank) ++first;
    while (last > first && p[last - 1] <= kBlank) --last;
    if (first == last) return Outcome::Empty;
    if (!Prepare(p + first, last - first, utf8)) return Outcome::NeedsScanLine;
    if (hyphenIsWordChar_ && hasHyphen_) SpaceDoubleHyphens();
    return Outcome::Scanned;
}

}  // namespace lxt

#include "scan/utf8_line_scanner.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "scan/line_scanner.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "scan/word_rules.h"
#include "scan/word_sink.h"
#include "support/str_proc.h"

namespace lxt {

namespace {

constexpr unsigned char kBlank = 32;
constexpr char16_t kFirstNonAscii = 128;
constexpr char16_t kFirstC1 = 0x80;
constexpr char16_t kNoBreakSpace = 0xA0;
constexpr char16_t kFirstSurrogate = 0xD800;
constexpr char16_t kLastSurrogate = 0xDFFF;
// The flags kept per character: WordCharTable's word and vowel bits, and whether a word may
// begin with it.
constexpr unsigned char kRuleBits = WordCharTable::kWordBit | WordCharTable::kVowelOrYBit;
constexpr unsigned char kStartBit = 16;
// A word that ends with the character is left as it is by the rules that shorten or empty a
// candidate (other than the no-vowel rule): not a hyphen, not "s", and no character that
// lower-cases to the end of a contraction stem or an apostrophe remnant.
constexpr unsigned char kKeptEndBit = 32;
constexpr qsizetype kBlock = 16;
// As in the byte scan: events may run after each this many characters scanned.
constexpr qsizetype kCharactersPerYield = 16;

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

}  // namespace

Utf8LineScanner::Utf8LineScanner(const ScanOptions& options, bool caseSignificant)
    : options_(options), caseSignificant_(caseSignificant), usable_(false) {
    usable_ = QuickScanRefusals(options, refused_);
    hyphenIsWordChar_ = (options.word.LowFlags(u'-') & WordCharTable::kWordBit) != 0;
}

Utf8LineScanner::~Utf8LineScanner() = default;

const Utf8LineScanner::Page& Utf8LineScanner::MakePage(char16_t u) {
    std::unique_ptr<Page>& page = pages_[u >> 8];
    page = std::make_unique<Page>();
    // A character the line may hold as it is after the repairs and the case folding.
    const auto plain = [this](char16_t c) {
        if (c < kBlank || (c >= kFirstC1 && c <= kNoBreakSpace)) return false;
        if (c < kFirstNonAscii) return !refused_[c];
        if (c >= kFirstSurrogate && c <= kLastSurrogate) return false;
        return (options_.word.Flags(c) & WordCharTable::kMarkBit) == 0;
    };
    const char16_t base = char16_t(u & 0xFF00);
    for (unsigned k = 0; k < 256; ++k) {
        const char16_t c = char16_t(base + k);
        Becomes& becomes = (*page)[k];
        if (!plain(c)) continue;
        // What the reading loop does to the character, one character at a time.
        QString text(QChar{c});
        RepairDecodedPairs(text);
        RepairDecodedPunctuation(text);
        if (!caseSignificant_) LowerCaseFullInPlace(text);
        if (text.isEmpty() || text.size() > qsizetype(becomes.text.size())) continue;
        if (!std::all_of(text.cbegin(), text.cend(), [&](QChar t) { return plain(t.unicode()); })) {
            continue;
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t t = text[i].unicode();
            becomes.text[size_t(i)] = t;
            becomes.flags[size_t(i)] = static_cast<unsigned char>(
                (options_.word.Flags(t) & kRuleBits) |
                ((options_.start.Flags(t) & WordCharTable::kWordBit) != 0 ? kStartBit : 0) |
                (t != u'-' && t != u's' && !IsContractionPart(QStringView(&t, 1)) ? kKeptEndBit
                                                                                  : 0));
        }
        becomes.length = static_cast<unsigned char>(text.size());
    }
    return *page;
}

bool Utf8LineScanner::Prepare(const unsigned char* p, qsizetype n) {
    constexpr qsizetype kMostPerByte = 4;  // a stand-in of four characters for one byte at most
    line_.resize(n * kMostPerByte + 1);
    // Room after the blank for a whole block of flags read at the end of the line.
    flags_.resize(size_t(n * kMostPerByte + 1 + kBlock));
    auto* out = reinterpret_cast<char16_t*>(line_.data());
    unsigned char* flags = flags_.data();
    const Page& ascii = PageOf(0);
    bool hyphen = false;
    qsizetype o = 0;
    qsizetype i = 0;
    while (i < n) {
        const unsigned c = p[i];
        const Becomes* becomes = nullptr;
        if (c < kFirstNonAscii) {
            becomes = &ascii[c];
            ++i;
        } else {
            char16_t u = 0;
            if (c >= 0xC2 && c < 0xE0) {
                if (i + 1 >= n || !IsContinuation(p[i + 1])) return false;
                u = char16_t(((c & 0x1F) << 6) | (p[i + 1] & 0x3F));
                i += 2;
            } else if (c >= 0xE0 && c < 0xF0) {
                if (i + 2 >= n || !IsContinuation(p[i + 1]) || !IsContinuation(p[i + 2])) {
                    return false;
                }
                u = char16_t(((c & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
                // Over-long forms and surrogates are invalid (ScanLine sees a replacement).
                if (u < 0x800 || (u >= kFirstSurrogate && u <= kLastSurrogate)) return false;
                i += 3;
            } else {
                return false;  // a stray continuation byte, or four bytes: a surrogate pair
            }
            becomes = &PageOf(u)[u & 0xFF];
        }
        const unsigned length = becomes->length;
        if (length == 1) [[likely]] {
            hyphen |= becomes->text[0] == u'-';
            out[o] = becomes->text[0];
            flags[o++] = becomes->flags[0];
            continue;
        }
        if (length == 0) return false;
        for (unsigned k = 0; k < length; ++k) {
            hyphen |= becomes->text[k] == u'-';
            out[o] = becomes->text[k];
            flags[o++] = becomes->flags[k];
        }
    }
    out[o] = u' ';
    std::memset(flags + o, 0, size_t(1 + kBlock));
    ++o;
    line_.resize(o);
    hasHyphen_ = hyphen;
    return true;
}

bool Utf8LineScanner::Scan(QByteArrayView bytes, ScanState& state, WordSink& sink,
                           ScanEvents& events) {
    if (!usable_ || state.withinComment != -1) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && p[first] <= kBlank) ++first;
    while (last > first && p[last - 1] <= kBlank) --last;
    if (!Prepare(p + first, last - first)) return false;
    if (hyphenIsWordChar_ && hasHyphen_) {
        SpaceDoubleHyphens(line_);
        const char16_t* text = reinterpret_cast<const char16_t*>(line_.constData());
        for (qsizetype k = 0; k < line_.size(); ++k) {
            if (text[k] == u' ') flags_[size_t(k)] = 0;
        }
    }

    const char16_t* w = reinterpret_cast<const char16_t*>(line_.constData());
    const unsigned char* f = flags_.data();
    const qsizetype n = line_.size();  // the blank appended included
    const int maxLength = options_.maxWordLength;
    qsizetype pos = 0;
    qsizetype nextYield = untilYield_;  // counted on from the lines before
    while (pos + 1 < n) {
        if ((f[pos] & kStartBit) == 0) {
            // Not where a word begins: on to the next character other than a blank.
            ++pos;
            while (pos < n && w[pos] == u' ') ++pos;
            continue;
        }
        const qsizetype limit = std::min<qsizetype>(n - pos, kMaxCandidateLength);
        unsigned vowel = 0;
        qsizetype length = 0;
#if defined(__SSE2__)
        // Sixteen flags at a time; the blocks may read past the blank that ends the line into
        // the room after it, where the run has always ended.
        const __m128i wordBit = _mm_set1_epi8(WordCharTable::kWordBit);
        const __m128i vowelBit = _mm_set1_epi8(WordCharTable::kVowelOrYBit);
        for (;;) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + pos + length));
            const unsigned inWord =
                unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(v, wordBit), wordBit)));
            const unsigned run = unsigned(__builtin_ctz(~inWord | 0x10000u));
            const unsigned vowels =
                unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(v, vowelBit), vowelBit)));
            if ((vowels & ((1u << run) - 1)) != 0) vowel = WordCharTable::kVowelOrYBit;
            length += run;
            if (run < kBlock) break;
        }
        if (length > limit) {
            // A run beyond the longest candidate: the vowel test on the part taken only.
            length = limit;
            vowel = 0;
            for (qsizetype k = 0; k < length; ++k) vowel |= f[pos + k];
        }
#else
        while (length < limit && (f[pos + length] & WordCharTable::kWordBit) != 0) {
            vowel |= f[pos + length];
            ++length;
        }
#endif
        const QStringView raw(w + pos, length);
        // Most words end with a character that none of the shortening rules touches.
        const QStringView candidate =
            length > 2 && (f[pos + length - 1] & kKeptEndBit) != 0
                ? (options_.ignoreNoVowel && (vowel & WordCharTable::kVowelOrYBit) == 0
                       ? QStringView()
                       : raw)
                : ApplyWordRules(raw, vowel, options_);
        pos += std::max<qsizetype>(length, 1);
        if (AcceptsWithoutPairs(candidate, maxLength)) sink.Accept(candidate);
        if (pos >= nextYield) {
            events.LetEventsRun();
            nextYield = pos + kCharactersPerYield;
        }
        if (events.StopRequested()) break;
    }
    state.scanPosition = pos;
    untilYield_ = nextYield - n;
    return true;
}

}  // namespace lxt

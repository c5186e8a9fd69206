#include "results/sorting.h"

#include <QString>
#include <QStringView>
#include <algorithm>
#include <utility>
#include <vector>

#include "run/event_pump.h"
#include "run/run_state.h"
#include "run/word_arena.h"
#include "run/word_table.h"
#include "support/str_proc.h"
#include "support/ui.h"

namespace lxt {

namespace {

// A code unit moved so that code units compare as the code points they belong to: the
// surrogates (of the code points from U+10000 on) after U+E000-U+FFFF.
inline unsigned CodePointRank(char16_t u) {
    return u < 0xD800 ? u : (u < 0xE000 ? u + 0x2000u : u - 0x800u);
}

// Code point by code point, a key before its own extensions (as QStringView::compare with
// case significant orders them), inline: the sort compares keys of a few characters
// millions of times.
inline int CompareKeys(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t* p = a.utf16();
    const char16_t* q = b.utf16();
    for (qsizetype k = 0; k < n; ++k) {
        if (p[k] != q[k]) return CodePointRank(p[k]) < CodePointRank(q[k]) ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The first four code units of a key part packed into one number: where the numbers of
// two keys differ, they order the keys as CompareKeys does (a missing unit counts as 0,
// before every unit, as a key comes before its extensions); equal numbers need the full
// comparison.
quint64 KeyPrefix(QStringView key) {
    quint64 packed = 0;
    for (qsizetype k = 0; k < 4; ++k) {
        packed = (packed << 16) | (k < key.size() ? CodePointRank(key[k].unicode()) : 0u);
    }
    return packed;
}

// One entry's sort key as the quicksort moves it: the key's packed prefix, the key itself
// (from the sort's start position on) and the entry it belongs to.
struct SortItem {
    quint64 prefix;
    const char16_t* units;
    qint32 size;
    qint32 entry;
    QStringView Key() const { return QStringView(units, size); }
};

// The sort key of `word` from 0-based position `from` on; folded into `scratch` when folding
// changes the word, else the word's own characters.
QStringView KeyOf(QStringView word, qsizetype from, std::vector<char16_t>& scratch) {
    scratch.resize(2 * static_cast<size_t>(word.size()) + 1);
    const qsizetype length = LowerSortFoldInto(word, scratch.data());
    QStringView key(scratch.data(), length);
    if (key == word) key = word;
    return from <= 0 ? key : (from >= length ? QStringView() : key.sliced(from));
}

// True when `key` lies in `buffer`.
bool Inside(QStringView key, const std::vector<char16_t>& buffer) {
    return !key.isEmpty() && key.utf16() >= buffer.data() &&
           key.utf16() < buffer.data() + buffer.size();
}

// True when the keys of entries lo..hi rise strictly: then they all differ and are in order
// already, which every sort leaves as it is.
bool KeysRise(const WordTable& table, qint32 lo, qint32 hi, qsizetype from) {
    std::vector<char16_t> before;
    std::vector<char16_t> scratch;
    QStringView previous = KeyOf(table[lo].Word(), from, before);
    for (qint32 e = lo + 1; e <= hi; ++e) {
        const QStringView key = KeyOf(table[e].Word(), from, scratch);
        if (CompareKeys(previous, key) >= 0) return false;
        if (Inside(key, scratch)) {
            std::swap(before, scratch);  // the folded key stays where `previous` points
        }
        previous = key;
    }
    return true;
}

// The sort keys of entries lo..hi, made once: a key equal to its word is the word's own
// characters; the others are kept here.
class SortKeys {
  public:
    SortKeys(const WordTable& table, qint32 lo, qint32 hi, qsizetype from) {
        items_.reserve(static_cast<size_t>(hi - lo + 1));
        std::vector<char16_t> scratch;
        for (qint32 e = lo; e <= hi; ++e) {
            QStringView key = KeyOf(table[e].Word(), from, scratch);
            if (Inside(key, scratch)) {
                key = QStringView(folded_.Intern(key), key.size());
            }
            items_.push_back({KeyPrefix(key), key.utf16(), static_cast<qint32>(key.size()), e});
        }
    }
    std::vector<SortItem>& Items() { return items_; }

  private:
    WordArena folded_;
    std::vector<SortItem> items_;
};

// The quicksort over the sort items of entries lo..hi. The items move as whole entries
// would; most comparisons read only the packed prefixes, which lie side by side in memory.
class KeySorter {
  public:
    KeySorter(std::vector<SortItem>& items, qint32 base) : items_(items), base_(base) {}

    void Sort(qint32 lo, qint32 hi) {
        // Each partition leaves two disjoint ranges, lo..j and i..hi, that are sorted
        // independently of each other. Sorting the smaller one by recursion and the larger
        // one in this loop keeps the recursion depth logarithmic while every partition
        // step, and so the final place of every entry, stays the same.
        while (lo < hi) {
            qint32 i = lo;
            qint32 j = hi;
            const SortItem pivot = At(lo + (hi - lo) / 2);  // copied first
            while (i <= j) {
                while (i < hi && Compare(At(i), pivot) < 0) ++i;
                while (j > lo && Compare(At(j), pivot) > 0) --j;
                if (i <= j) {
                    if (i < j) std::swap(At(i), At(j));
                    ++i;
                    --j;
                }
            }
            const bool leftHasWork = lo < j;
            const bool rightHasWork = i < hi;
            if (leftHasWork && rightHasWork) {
                if (j - lo < hi - i) {
                    Sort(lo, j);
                    lo = i;
                } else {
                    Sort(i, hi);
                    hi = j;
                }
            } else if (leftHasWork) {
                hi = j;
            } else if (rightHasWork) {
                lo = i;
            } else {
                return;
            }
        }
    }

  private:
    SortItem& At(qint32 e) { return items_[static_cast<size_t>(e - base_)]; }

    static int Compare(const SortItem& a, const SortItem& pivot) {
        if (a.prefix != pivot.prefix) return a.prefix < pivot.prefix ? -1 : 1;
        return CompareKeys(a.Key(), pivot.Key());
    }

    std::vector<SortItem>& items_;
    qint32 base_;
};

}  // namespace

void SortWordTable(WordTable& table, qint32 lo, qint32 hi, qint32 start) {
    if (lo >= hi) return;
    // Words in ordinal order that are their own keys rise in key order too (the keys of
    // such words have no surrogates, whose order differs).
    if (start == 1 && table.InOrdinalOrder() && table.KeysAreWords()) return;
    if (KeysRise(table, lo, hi, start - 1)) return;
    std::vector<qint32> source(static_cast<size_t>(table.Count()) + 1);
    {
        SortKeys keys(table, lo, hi, start - 1);
        KeySorter(keys.Items(), lo).Sort(lo, hi);
        for (qint32 i = 0; i <= table.Count(); ++i) source[size_t(i)] = i;
        for (qint32 e = lo; e <= hi; ++e) source[size_t(e)] = keys.Items()[size_t(e - lo)].entry;
    }
    table.Arrange(source);
}

void SortWordTable(RunState& run, qint32 lo, qint32 hi, qint32 start) {
    SortWordTable(run.WordTable, lo, hi, start);
}

void MarkIncludedWords(RunState& run) {
    const bool ignoreInfrequent = run.settings.chkIgnoreInfrequentWords != 0;
    for (qint32 i = 1; i <= run.lngNumWords; ++i) {
        WordEntry& e = run.WordTable[i];
        e.included = !(ignoreInfrequent && e.frequency < run.intThresholdFrequency);
    }
}

void ComputeWordStatistics(RunState& run) {
    run.intMaxWordLengthFound = 0;
    run.lngNumWordsIncluded = 0;
    run.lngMaxFrequency = 0;
    run.lngNumWordsExcluded = 0;
    run.lngNumOccurrences = 0;
    for (qint32 i = 1; i <= run.lngNumWords; ++i) {
        const WordEntry& e = run.WordTable[i];
        if (!e.included) {
            ++run.lngNumWordsExcluded;
            continue;
        }
        ++run.lngNumWordsIncluded;
        run.lngNumOccurrences += e.frequency;
        run.lngMaxFrequency = std::max(run.lngMaxFrequency, e.frequency);
        // A word has at most as many characters as code units: only a longer one is counted.
        if (e.Size() > run.intMaxWordLengthFound) {
            run.intMaxWordLengthFound =
                std::max(run.intMaxWordLengthFound, static_cast<int>(CharacterCount(e.Word())));
        }
    }
}

namespace {

// The included entries with a frequency from 1 to maxFrequency, by decreasing frequency and,
// among equal frequencies, in table order. A counting sort: one bucket per frequency up to
// a bound that keeps the buckets no larger than the table; the few entries above it (their
// occurrences add up to at most the total) are sorted by comparison, stably.
std::vector<qint32> FrequencyOrder(const WordTable& table, qint32 count, qint32 maxFrequency,
                                   qint32 included) {
    constexpr qint32 kFewestBuckets = 1024;
    const qint32 bucketed = std::min(maxFrequency, std::max(included, kFewestBuckets));
    std::vector<qint32> next(static_cast<size_t>(std::max(bucketed, 0)) + 1, 0);
    std::vector<qint32> above;
    qint32 inBuckets = 0;
    for (qint32 j = 1; j <= count; ++j) {
        const WordEntry& e = table[j];
        if (!e.included || e.frequency < 1 || e.frequency > maxFrequency) continue;
        if (e.frequency <= bucketed) {
            ++next[static_cast<size_t>(e.frequency)];
            ++inBuckets;
        } else {
            above.push_back(j);
        }
    }
    std::stable_sort(above.begin(), above.end(), [&table](qint32 a, qint32 b) {
        return table[a].frequency > table[b].frequency;
    });
    std::vector<qint32> order(above.size() + static_cast<size_t>(inBuckets));
    std::copy(above.begin(), above.end(), order.begin());
    // next[f]: where the next entry of frequency f goes.
    auto at = static_cast<qint32>(above.size());
    for (qint32 f = bucketed; f >= 1; --f) {
        const qint32 inBucket = next[static_cast<size_t>(f)];
        next[static_cast<size_t>(f)] = at;
        at += inBucket;
    }
    for (qint32 j = 1; j <= count; ++j) {
        const WordEntry& e = table[j];
        if (!e.included || e.frequency < 1 || e.frequency > bucketed) continue;
        order[static_cast<size_t>(next[static_cast<size_t>(e.frequency)]++)] = j;
    }
    return order;
}

}  // namespace

void OrderByFrequency(RunState& run) {
    WordTable& table = run.WordTable;
    for (qint32 i = 1; i <= run.lngNumWords; ++i) {
        table[i].rank = 0;
        table[i].next = 0;
    }
    run.lngFirstFreq = 0;
    run.eventPump.Restart();

    // Ranking. Counting down the frequencies and, for each, walking the table in order
    // gives every included entry with a frequency from 1 to lngMaxFrequency its place in
    // decreasing frequency, equal frequencies in table order. The user interface gets a turn
    // after each frequency value from lngMaxFrequency down to 1, whether any entry has it or
    // not.
    const std::vector<qint32> order =
        FrequencyOrder(table, run.lngNumWords, run.lngMaxFrequency, run.lngNumWordsIncluded);
    size_t k = 0;
    for (qint32 f = run.lngMaxFrequency; f >= 1; --f) {
        for (; k < order.size() && table[order[k]].frequency == f; ++k) {
            table[order[k]].rank = static_cast<qint32>(k + 1);
        }
        run.eventPump.Pump(run.ui);
    }
    if (order.empty()) return;
    run.lngFirstFreq = order.front();

    // Linking: each ranked entry points at the entry of the next rank. The counter runs
    // from 2 to lngNumWordsIncluded; every kTrailStep-th value leaves " ." in the output
    // box behind the phase message, and once start-up is over the user interface gets a
    // turn after each link.
    const qint32 ranked = static_cast<qint32>(order.size());
    qint32 prev = run.lngFirstFreq;
    qint32 r = 1;
    for (;;) {
        if (r < ranked) {
            const qint32 j = order[static_cast<size_t>(r)];
            table[prev].next = j;
            prev = j;
        }
        if (r >= run.lngNumWordsIncluded) break;
        ++r;
        if (r % kTrailStep == 0) run.ui.OutputAppend(QString::fromUtf16(kTrailMark));
        LetEventsRun(run);
    }
}

}  // namespace lxt

#include "results/sorting.h"

#include <QString>
#include <QStringView>
#include <algorithm>
#include <utility>
#include <vector>

#include "run/event_pump.h"
#include "run/run_state.h"
#include "run/word_table.h"
#include "support/str_proc.h"
#include "support/ui.h"

namespace lxt {

namespace {

// The part of a key from 0-based position `from` on (empty when the key is shorter).
QStringView KeyPart(const QString& key, qsizetype from) {
    if (from <= 0) return QStringView(key);
    if (from >= key.size()) return QStringView();
    return QStringView(key).sliced(from);
}

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

// The quicksort over a table and the packed prefixes of its keys, which move with their
// entries: most comparisons read only the prefixes, which lie side by side in memory.
class KeySorter {
  public:
    KeySorter(WordTable& table, qint32 lo, qint32 hi, qsizetype from)
        : table_(table), base_(lo), from_(from) {
        prefixes_.reserve(static_cast<size_t>(hi - lo + 1));
        for (qint32 e = lo; e <= hi; ++e) prefixes_.push_back(KeyPrefix(Key(e)));
    }

    void Sort(qint32 lo, qint32 hi) {
        // Each partition leaves two disjoint ranges, lo..j and i..hi, that are sorted
        // independently of each other. Sorting the smaller one by recursion and the larger
        // one in this loop keeps the recursion depth logarithmic while every partition
        // step, and so the final place of every entry, stays the same.
        while (lo < hi) {
            qint32 i = lo;
            qint32 j = hi;
            const qint32 middle = lo + (hi - lo) / 2;
            const QString pivotKey = table_[middle].strSortKey;  // copied first
            const QStringView pivot = KeyPart(pivotKey, from_);
            const quint64 pivotPrefix = Prefix(middle);
            while (i <= j) {
                while (i < hi && Compare(i, pivotPrefix, pivot) < 0) ++i;
                while (j > lo && Compare(j, pivotPrefix, pivot) > 0) --j;
                if (i <= j) {
                    if (i < j) {
                        std::swap(table_[i], table_[j]);
                        std::swap(Prefix(i), Prefix(j));
                    }
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
    QStringView Key(qint32 e) const { return KeyPart(table_[e].strSortKey, from_); }
    quint64& Prefix(qint32 e) { return prefixes_[static_cast<size_t>(e - base_)]; }

    int Compare(qint32 e, quint64 pivotPrefix, QStringView pivot) {
        const quint64 prefix = Prefix(e);
        if (prefix != pivotPrefix) return prefix < pivotPrefix ? -1 : 1;
        return CompareKeys(Key(e), pivot);
    }

    WordTable& table_;
    qint32 base_;
    qsizetype from_;
    std::vector<quint64> prefixes_;
};

}  // namespace

void SortWordTable(WordTable& table, qint32 lo, qint32 hi, qint32 start) {
    // Entries change places: a word index built before would name the wrong ones.
    table.ForgetIndex();
    if (lo >= hi) return;
    KeySorter sorter(table, lo, hi, start - 1);
    sorter.Sort(lo, hi);
}

void SortWordTable(RunState& run, qint32 lo, qint32 hi, qint32 start) {
    SortWordTable(run.WordTable, lo, hi, start);
}

void MarkIncludedWords(RunState& run) {
    const bool ignoreInfrequent = run.settings.chkIgnoreInfrequentWords != 0;
    for (qint32 i = 1; i <= run.lngNumWords; ++i) {
        WordEntry& e = run.WordTable[i];
        e.blnIncluded = true;
        if (ignoreInfrequent && e.lngFrequency < run.intThresholdFrequency) e.blnIncluded = false;
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
        if (!e.blnIncluded) {
            ++run.lngNumWordsExcluded;
            continue;
        }
        ++run.lngNumWordsIncluded;
        run.lngNumOccurrences += e.lngFrequency;
        run.lngMaxFrequency = std::max(run.lngMaxFrequency, e.lngFrequency);
        run.intMaxWordLengthFound =
            std::max(run.intMaxWordLengthFound, static_cast<int>(CharacterCount(e.strWord)));
    }
}

void OrderByFrequency(RunState& run) {
    WordTable& table = run.WordTable;
    for (qint32 i = 1; i <= run.lngNumWords; ++i) {
        table[i].lngRank = 0;
        table[i].lngNext = 0;
    }
    run.lngFirstFreq = 0;
    run.eventPump.Restart();

    // Ranking. Counting down the frequencies and, for each, walking the table in order
    // gives every included entry with a frequency from 1 to lngMaxFrequency its place in
    // decreasing frequency, equal frequencies in table order: a stable sort of those
    // entries by decreasing frequency. The user interface gets a turn after each frequency
    // value from lngMaxFrequency down to 1, whether any entry has it or not.
    std::vector<qint32> order;
    order.reserve(static_cast<size_t>(std::max(run.lngNumWordsIncluded, 0)));
    for (qint32 j = 1; j <= run.lngNumWords; ++j) {
        const WordEntry& e = table[j];
        if (e.blnIncluded && e.lngFrequency >= 1 && e.lngFrequency <= run.lngMaxFrequency) {
            order.push_back(j);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&table](qint32 a, qint32 b) {
        return table[a].lngFrequency > table[b].lngFrequency;
    });
    size_t k = 0;
    for (qint32 f = run.lngMaxFrequency; f >= 1; --f) {
        for (; k < order.size() && table[order[k]].lngFrequency == f; ++k) {
            table[order[k]].lngRank = static_cast<qint32>(k + 1);
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
            table[prev].lngNext = j;
            prev = j;
        }
        if (r >= run.lngNumWordsIncluded) break;
        ++r;
        if (r % kTrailStep == 0) run.ui.OutputAppend(QString::fromUtf16(kTrailMark));
        LetEventsRun(run);
    }
}

}  // namespace lxt

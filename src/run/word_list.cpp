#include "run/word_list.h"

#include <new>

#include "run/run_error.h"
#include "run/run_state.h"
#include "run/run_statistics.h"
#include "support/blank_list_lookup.h"
#include "support/char_case.h"
#include "support/error_numbers.h"
#include "support/str_proc.h"
#include "support/ui.h"

namespace lxt {

namespace {

// The "Out of memory" error, raised when the table cannot grow.
constexpr char16_t kOutOfMemoryDescription[] = u"Out of memory";

// The word lower-cased as LowerCaseFull does it; the word itself (no copy) when it is
// lower case already, as it is whenever case is not significant.
struct LowerWord {
    explicit LowerWord(QStringView word) : view(word) {
        for (QChar c : word) {
            if (c.isSurrogate() || LowerChar(c) != c) {
                owned = LowerCaseFull(word);
                view = owned;
                break;
            }
        }
    }
    QStringView view;
    QString owned;
};

// Tells the words-as-found display of a new word; once the display is cut off, the run's
// settings follow the ticked "Don't display words as found".
void ShowNewWord(RunState& run, QStringView word, bool firstOfRun) {
    if (run.settings.chkSuppressWords != 0) return;
    if (!run.ui.ShowWordFound(word, firstOfRun)) run.settings.chkSuppressWords = 1;
}

}  // namespace

QString WordSortKey(QStringView word) {
    return LowerSortFold(word);
}

void ResetWordTable(RunState& run) {
    run.WordTable.Recreate();
    run.lngNumWords = 0;
    run.ui.StartWordsFoundDisplay();
}

namespace {

// Stores a new word, turning a lack of memory into the run's "Out of memory" error.
void StoreNewWordOrFail(RunState& run, const WordTable::Probe& word) {
    try {
        StoreNewWord(run, word);
    } catch (const std::bad_alloc&) {
        throw RunError{kErrOutOfMemory, QString::fromUtf16(kOutOfMemoryDescription)};
    }
}

// The first word of a run: entry 1, and it replaces the text of the output box.
void AddFirstWord(RunState& run, QStringView word) {
    run.WordTable.Clear();
    run.lngNumWords = 1;
    StoreNewWordOrFail(run, WordTable::MakeProbe(word));
    ShowNewWord(run, word, true);
}

// A word not yet in the table (steps after the search that found nothing).
void AddNewWord(RunState& run, const WordTable::Probe& word, ScanContext context) {
    WordTable& table = run.WordTable;
    if (table.UpperIndex() == run.lngNumWords) table.Grow();
    IncrementCounter(run.lngNumWords);
    StoreNewWordOrFail(run, word);

    if (run.lngNumWords % kWordsPerLabelRefresh == 0) {
        // The label gets its text before it shows, never the text of an earlier run.
        if (context == ScanContext::ReadingCommonWords) {
            run.ui.SetLabel(UiLabel::NumberOfWords, QString::fromUtf16(kCommonWordsReadCaption) +
                                                        QString::number(run.lngNumWords));
        } else {
            run.ui.SetLabelNumber(UiLabel::NumberOfWords, kWordsFoundSoFarPrefix, run.lngNumWords);
        }
        run.ui.SetLabelVisible(UiLabel::NumberOfWords, true);
    }
    ShowNewWord(run, word.word, false);
}

// AddWordToList. Inlined into GetWords2, through which counting runs come: a known word
// costs one look-up and no allocation.
[[gnu::always_inline]] inline void AddWord(RunState& run, QStringView word, ScanContext context) {
    if (word.size() > run.intMaxPermittedWordLength) return;
    if (run.lngNumWords <= 0) {
        AddFirstWord(run, word);
        return;
    }
    WordTable::Probe probe = WordTable::MakeProbe(word);
    if (qint32* count = run.WordTable.FindCount(probe)) {
        if (CountOrDropAgain(run, probe, *count)) return;
    }
    AddNewWord(run, probe, context);
}

}  // namespace

namespace {

// True when the 7-bit rule, the words to ignore or the common words drop `word`. Kept out of
// GetWords2, so that a count with none of them ticked or filled in pays one test per word.
[[gnu::noinline]] bool IsExcluded(const RunState& run, QStringView word) {
    const Settings& s = run.settings;
    if (s.chkOnly7bitASCII == 1 && !IsSevenBit(word)) return true;
    const bool ignoreCommon = s.chkIgnoreCommonWords == 1;
    if (!run.strWordsToIgnore.isEmpty() || ignoreCommon) {
        const LowerWord lower(word);
        if (BlankListHolds(run.strWordsToIgnore, lower.view)) return true;
        if (ignoreCommon) {
            const qint32 count = static_cast<qint32>(run.strCommonWords.size());
            if (FindString(lower.view, run.strCommonWords, count, 1).found) return true;
        }
    }
    return false;
}

}  // namespace

namespace {

bool HasExclusions(const RunState& run) {
    const Settings& s = run.settings;
    return (s.chkOnly7bitASCII == 1) | (s.chkIgnoreCommonWords == 1) |
           !run.strWordsToIgnore.isEmpty();
}

// True when the table's dropped words were dropped by the run's exclusions as they are now;
// otherwise the table forgets them and the probe no longer knows where the word would go.
bool DroppedWordsHold(RunState& run, WordTable::Probe& probe) {
    const Settings& s = run.settings;
    if (run.droppedWords.HoldFor(run.WordTable, s.chkOnly7bitASCII == 1,
                                 s.chkIgnoreCommonWords == 1, run.strWordsToIgnore,
                                 run.strCommonWords)) {
        return true;
    }
    probe.slotsSeen = 0;
    return false;
}

// True when the exclusions drop the probe's word, which the table then keeps as dropped, so
// that the tests cost once per different word, not once per occurrence; a word the table
// counts passed them when it was added and never comes here.
bool Dropped(RunState& run, WordTable::Probe& probe) {
    DroppedWordsHold(run, probe);
    if (!IsExcluded(run, probe.word)) return false;
    run.WordTable.InsertDropped(probe);
    return true;
}

}  // namespace

bool CountOrDropAgain(RunState& run, WordTable::Probe& probe, qint32& count) {
    if (!run.WordTable.IsDropped(&count)) {
        IncrementCounter(count);  // at its limit: the overflow error
        return true;
    }
    return DroppedWordsHold(run, probe);
}

void CountOrDropAgain(RunState& run, const unsigned char* bytes, qsizetype size, char16_t* room,
                      qint32& count) {
    const Settings& s = run.settings;
    const bool stand = run.droppedWords.Stand(s.chkOnly7bitASCII == 1, s.chkIgnoreCommonWords == 1,
                                              run.strWordsToIgnore, run.strCommonWords);
    if (!run.WordTable.IsDropped(&count)) {
        IncrementCounter(count);  // at its limit: the overflow error
        return;
    }
    if (stand) return;  // dropped again
    // The exclusions have changed: the table forgets its dropped words, and this one is
    // missing now.
    WidenNarrow(bytes, size, room);
    WordTable::Probe word = WordTable::MakeProbe(QStringView(room, size));
    DroppedWordsHold(run, word);
    AddMissingWord(run, word);
}

void AddMissingWord(RunState& run, WordTable::Probe& word) {
    if (HasExclusions(run) && Dropped(run, word)) return;
    AddNewWord(run, word, ScanContext::Counting);
}

void GetWords2Admitting(RunState& run, QStringView word) {
    WordTable::Probe probe = WordTable::MakeProbe(word);
    if (HasExclusions(run) && Dropped(run, probe)) return;
    AddWord(run, word, ScanContext::Counting);
}

void AddWordToList(RunState& run, QStringView word, ScanContext context) {
    AddWord(run, word, context);
}

void StoreNewWord(RunState& run, const WordTable::Probe& word) {
    run.WordTable.Insert(word);
}

SearchResult FindWord(const WordTable& table, QStringView key, qint32 count) {
    return BinarySearch(key, count, [&](qint32 i) { return table[i].Word(); });
}

void SealWordTable(RunState& run) {
    run.lngNumWords = run.WordTable.SortByWord();
}

}  // namespace lxt

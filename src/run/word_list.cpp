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
    run.droppedWords.Clear();
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
void AddNewWord(RunState& run, const WordTable::Probe& word) {
    WordTable& table = run.WordTable;
    if (table.UpperIndex() == run.lngNumWords) table.Grow();
    IncrementCounter(run.lngNumWords);
    StoreNewWordOrFail(run, word);

    if (run.lngNumWords % kWordsPerLabelRefresh == 0) {
        // The label gets its text before it shows, never the text of an earlier run.
        if (run.blnReadingWords) {
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
[[gnu::always_inline]] inline void AddWord(RunState& run, QStringView word) {
    if (word.size() > run.intMaxPermittedWordLength) return;
    if (run.lngNumWords <= 0) {
        AddFirstWord(run, word);
        return;
    }
    WordTable::Probe probe = WordTable::MakeProbe(word);
    if (qint32* count = run.WordTable.FindCount(probe)) {
        IncrementCounter(*count);
        return;
    }
    AddNewWord(run, probe);
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

// True when the exclusions drop the probe's word. A word they dropped is remembered, so that
// the tests cost once per different word, not once per occurrence; a word the table holds
// passed them when it was added and never comes here.
bool Dropped(RunState& run, const WordTable::Probe& probe) {
    const Settings& s = run.settings;
    DroppedWords& dropped = run.droppedWords;
    dropped.HoldFor(s.chkOnly7bitASCII == 1, s.chkIgnoreCommonWords == 1, run.strWordsToIgnore,
                    run.strCommonWords);
    if (dropped.Holds(probe)) return true;
    if (!IsExcluded(run, probe.word)) return false;
    dropped.Add(probe);
    return true;
}

}  // namespace

void AddMissingWord(RunState& run, const WordTable::Probe& word) {
    if (HasExclusions(run) && Dropped(run, word)) return;
    AddNewWord(run, word);
}

void GetWords2Admitting(RunState& run, QStringView word) {
    if (HasExclusions(run) && Dropped(run, WordTable::MakeProbe(word))) return;
    AddWord(run, word);
}

void AddWordToList(RunState& run, QStringView word) {
    AddWord(run, word);
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

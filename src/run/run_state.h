// The shared state of one counting run: what the scanner, the word table, the sorting and
// the listing read and write. The main window owns one; the headless counter owns one too.
// Names follow the program's variables so that the code reads like its description.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "run/dropped_words.h"
#include "run/event_pump.h"
#include "run/word_table.h"
#include "settings/settings.h"
#include "support/ui.h"

namespace lxt {

struct RunState {
    explicit RunState(Ui& ui) : ui(ui) {}

    Ui& ui;
    Settings settings;  // the settings in force for this run

    // Flags.
    bool blnCommonWordsLoaded = false;
    bool blnWordsGot = false;
    bool blnStartUpCompleted = false;
    bool blnStop = false;
    bool blnRunInterrupted = false;
    bool blnOutputFileWritten = false;
    bool blnListShown = false;  // a run has listed its words into txbOutput
    // What the engine is busy with; anything but Idle makes the Count button ask to stop.
    RunPhase phase = RunPhase::Idle;

    // Word limits and listing widths.
    int intMaxPermittedWordLength = 80;
    int intMaxWordLengthFound = 0;
    int intRankWidth = 0;
    int intFreqWidth = 0;
    int intMinWidth = 6;
    int intThresholdFrequency = 2;

    // Counters.
    qint32 lngNumWords = 0;
    qint32 lngNumWordsIncluded = 0;
    qint32 lngNumWordsExcluded = 0;
    qint32 lngMaxFrequency = 0;
    qint32 lngNumOccurrences = 0;
    qint32 lngTotalNumOccurrences = 0;
    qint32 lngFirstFreq = 0;

    // Exclusion lists: words to ignore (" a b c ") and the sorted common words.
    QString strWordsToIgnore;
    QStringList strCommonWords;  // ordinal order, no duplicates
    QString strCommonWordsFile;

    // The different words of the run, and those its exclusions dropped.
    lxt::WordTable WordTable;
    DroppedWords droppedWords;

    // Throttles the scans' yields to the user interface (LetEventsRun).
    EventPump eventPump;

    // Input sources: the clipboard text taken by the last successful paste, the most it may
    // hold, and the text kind of the current input file (the inspection's text code).
    QString strClipboardText;
    qint32 lngMaxClipboardLength = 100000;
    int intTextKind = 0;
};

// Enters `phase` and tells the Ui.
inline void EnterRunPhase(RunState& run, RunPhase phase) {
    run.phase = phase;
    run.ui.ShowRunPhase(phase);
}

// True while a count, a listing or a common-words read goes on.
inline bool RunInProgress(const RunState& run) {
    return run.phase != RunPhase::Idle;
}

}  // namespace lxt

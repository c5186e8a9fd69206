#include "run/run_statistics.h"

#include "run/run_state.h"
#include "support/str_proc.h"
#include "support/ui.h"

namespace lxt {

void Timer2_Timer(RunState& run) {
    if (!run.ui.TickElapsedTime()) return;
    if (run.settings.optInFile) {
        run.ui.SetLabel(UiLabel::TimeElapsed, QString::fromLatin1(kTimeElapsedPrefix) +
                                                  DurationText(run.ui.SecondsElapsed()));
    }
    run.ui.SetLabel(UiLabel::NumberOfWords,
                    QString::fromLatin1(kWordsFoundSoFarPrefix) + GroupedNumber(run.lngNumWords));
}

void ConcealNumWords(RunState& run, bool blnConcealTimeElapsed) {
    for (UiLabel label : {UiLabel::NumberOfWords, UiLabel::NumWordsExcluded,
                          UiLabel::NumOccurrences, UiLabel::TotalNumOccurrences}) {
        run.ui.SetLabelVisible(label, false);
    }
    if (blnConcealTimeElapsed) run.ui.SetLabel(UiLabel::TimeElapsed, QString());
}

QString AlignedNumber(qint64 number, qint64 total) {
    const qsizetype width = GroupedNumber(total).size() + 1;
    return GroupedNumber(number).rightJustified(width, QLatin1Char(' '));
}

void ShowRunStatistics(RunState& run) {
    Ui& ui = run.ui;
    const qint64 total = run.lngTotalNumOccurrences;

    ui.SetLabel(UiLabel::NumberOfWords, QString::fromLatin1(kWordsInListText) +
                                            AlignedNumber(run.lngNumWordsIncluded, total));
    ui.SetLabelVisible(UiLabel::NumberOfWords, true);

    const bool otherExclusions =
        !run.strWordsToIgnore.isEmpty() || run.settings.chkIgnoreCommonWords == 1;
    const QString excludedText =
        QString::fromLatin1(otherExclusions ? kWordsIgnoredOtherText : kWordsIgnoredText);
    ui.SetLabel(UiLabel::NumWordsExcluded,
                excludedText + AlignedNumber(run.lngNumWordsExcluded, total));
    ui.SetLabelVisible(UiLabel::NumWordsExcluded, true);

    ui.SetLabel(UiLabel::NumOccurrences, QString());
    ui.SetLabel(UiLabel::TotalNumOccurrences, QString());
    ui.SetProgressBarLook(false);  // right-aligned, normal font

    if (!run.blnRunInterrupted) {
        if (run.lngNumOccurrences > 0) {
            ui.SetLabel(UiLabel::NumOccurrences, QString::fromLatin1(kInstancesInListText) +
                                                     AlignedNumber(run.lngNumOccurrences, total));
        }
        ui.SetLabel(UiLabel::TotalNumOccurrences,
                    QString::fromLatin1(kTotalInstancesText) + AlignedNumber(total, total));
    }
    ui.SetLabelVisible(UiLabel::NumOccurrences, true);
    ui.SetLabelVisible(UiLabel::TotalNumOccurrences, true);

    ui.StopElapsedTime();
}

}  // namespace lxt

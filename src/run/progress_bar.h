// The character progress bar of a file scan, drawn in lblTotalNumOccurrences: "[", the
// hyphens done, ">", the blanks still to go and "]", 37 steps wide. The positions are
// rounded to the nearest step, halves to the even step.
#pragma once

#include <QString>
#include <QtGlobal>

namespace lxt {

struct RunState;

inline constexpr int intProgressBarLength = 37;

// p = i × 37 ÷ n rounded to the nearest whole number, halves to even; 0 when n is 0.
int ProgressBarPosition(qint64 i, qint64 n);
// The bar for position p: "[>" + 37 blanks + "]" for 0; "[" + (p − 1) hyphens + ">]" above
// 37; otherwise "[" + (p − 1) hyphens + ">" + (37 − p) blanks + "]".
QString ProgressBarText(int p);

// Turns lblTotalNumOccurrences into an empty bar: "[", 37 blanks, "]".
void SetTotalNumOccurrencesForFileProgressBar(RunState& run);
// Draws the bar for position lngI of lngN; does nothing when lngN is less than lngMinN.
// Returns the position drawn, or -1 when nothing was drawn.
int UpdateProgressBar(RunState& run, qint64 lngI, qint64 lngN, qint64 lngMinN);
// Gives lblTotalNumOccurrences back its normal look with an empty caption.
void RestoreTotalLabel(RunState& run);

// Tells when the bar's position changes as the count done grows, without computing the
// position at every step of the work: the next count that moves it is found once per step.
class ProgressBarSteps {
  public:
    explicit ProgressBarSteps(qint64 length) : length_(length) {}
    // True when `done` of the length puts the bar at another position than the last drawn.
    bool Moved(qint64 done) {
        if (done < next_) return false;
        return MovedAt(done);
    }

  private:
    bool MovedAt(qint64 done);

    qint64 length_;
    qint64 next_ = 0;
    int shown_ = -1;
};

}  // namespace lxt

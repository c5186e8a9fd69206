#include "run/progress_bar.h"

#include <algorithm>
#include <cmath>

#include "run/run_state.h"
#include "support/ui.h"

namespace lxt {

int ProgressBarPosition(qint64 i, qint64 n) {
    if (n <= 0) return 0;
    // Exact halves are decided on whole numbers: twice the product against the divisor.
    const qint64 product = i * intProgressBarLength;
    qint64 p = product / n;
    const qint64 remainder2 = 2 * (product % n);
    if (remainder2 > n || (remainder2 == n && (p % 2) == 1)) ++p;
    return static_cast<int>(p);
}

QString ProgressBarText(int p) {
    const QChar blank(u' ');
    if (p <= 0) {
        return QStringLiteral("[>") + QString(intProgressBarLength, blank) + QStringLiteral("]");
    }
    if (p > intProgressBarLength) {
        return QStringLiteral("[") + QString(p - 1, QChar(u'-')) + QStringLiteral(">]");
    }
    return QStringLiteral("[") + QString(p - 1, QChar(u'-')) + QStringLiteral(">") +
           QString(intProgressBarLength - p, blank) + QStringLiteral("]");
}

void SetTotalNumOccurrencesForFileProgressBar(RunState& run) {
    run.ui.SetProgressBarLook(true);
    run.ui.SetLabelVisible(UiLabel::TotalNumOccurrences, true);
    run.ui.SetLabel(
        UiLabel::TotalNumOccurrences,
        QStringLiteral("[") + QString(intProgressBarLength, QChar(u' ')) + QStringLiteral("]"));
}

int UpdateProgressBar(RunState& run, qint64 lngI, qint64 lngN, qint64 lngMinN) {
    if (lngN < lngMinN) return -1;
    const int p = ProgressBarPosition(lngI, lngN);
    run.ui.SetLabel(UiLabel::TotalNumOccurrences, ProgressBarText(p));
    return p;
}

bool ProgressBarSteps::MovedAt(qint64 done) {
    const int p = ProgressBarPosition(done, length_);
    // The smallest count above `done` at a later position (the position never falls as the
    // count grows, and `done` + the length is at least one step further).
    qint64 low = done;
    qint64 high = done + std::max<qint64>(length_, 1);
    while (high - low > 1) {
        const qint64 middle = low + (high - low) / 2;
        (ProgressBarPosition(middle, length_) > p ? high : low) = middle;
    }
    next_ = high;
    const bool moved = p != shown_;
    shown_ = p;
    return moved;
}

void RestoreTotalLabel(RunState& run) {
    run.ui.SetProgressBarLook(false);
    run.ui.SetLabelVisible(UiLabel::TotalNumOccurrences, true);
    run.ui.SetLabel(UiLabel::TotalNumOccurrences, QString());
}

}  // namespace lxt

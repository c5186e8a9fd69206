// The error a counting step raises when it cannot go on (a count past 2,147,483,647): thrown
// as an exception and caught by the error handler of the running scan, which passes number
// and description to ReportError.
#pragma once

#include <QString>
#include <QtGlobal>
#include <limits>

#include "run/report_error.h"

namespace lxt {

struct RunError {
    int number = 0;
    QString description;
};

inline constexpr char16_t kOverflowDescription[] = u"Overflow";

[[noreturn]] inline void RaiseOverflow() {
    throw RunError{kErrOverflow, QString::fromUtf16(kOverflowDescription)};
}

// Adds 1 to a 32-bit counter; raises the overflow error instead of wrapping.
inline void IncrementCounter(qint32& counter) {
    if (counter == std::numeric_limits<qint32>::max()) RaiseOverflow();
    ++counter;
}

}  // namespace lxt

// The common error report of the run procedures: one exclamation box naming the
// procedure, the error number and its description.
#pragma once

#include <QString>

#include "support/error_numbers.h"

namespace lxt {

struct RunState;

void ReportError(RunState& run, int number, const QString& description, const QString& procedure);

}  // namespace lxt

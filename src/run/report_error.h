// The common error report of the run procedures: one exclamation box naming the
// procedure, the error number and its description.
#pragma once

#include <QString>

namespace lxt {

struct RunState;

// Error number of a full output box, raised by the listing.
inline constexpr int kErrOutputBoxFull = -6;
// Error number of permission denied (a locked or read-only file).
inline constexpr int kErrPermissionDenied = 70;
// Error number of an arithmetic overflow (a count past 2,147,483,647).
inline constexpr int kErrOverflow = 6;
// Error number of a file that is not there.
inline constexpr int kErrFileNotFound = 53;

void ReportError(RunState& run, int number, const QString& description, const QString& procedure);

}  // namespace lxt

// lxt-count: one complete counting run from the command line, with the engine of the
// windows: the options become the settings, the listing goes to standard output and the
// exit status says how the run ended.
#pragma once

#include <QStringList>

namespace lxt::cli {

// Exit statuses.
inline constexpr int kExitCounted = 0;       // the count ran (also with no words)
inline constexpr int kExitInputRefused = 1;  // the input was refused or unreadable
inline constexpr int kExitUsage = 2;         // usage error
inline constexpr int kExitOutputFailed = 3;  // the output file could not be written

// Runs lxt-count with the given arguments (the first is the program name); returns the
// exit status.
int RunCountCommand(const QStringList& arguments);

}  // namespace lxt::cli

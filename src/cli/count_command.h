// lxt-count: one complete counting run from the command line.
#pragma once

#include <QStringList>

namespace lxt::cli {

// Runs lxt-count with the given arguments (the first is the program name); returns the
// exit status.
int RunCountCommand(const QStringList& arguments);

}  // namespace lxt::cli

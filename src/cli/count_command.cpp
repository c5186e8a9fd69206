#include "cli/count_command.h"

namespace lxt::cli {

int RunCountCommand(const QStringList&) { return 0; }

}  // namespace lxt::cli

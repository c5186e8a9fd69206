// lxt-count: the headless counter.
#include <QCoreApplication>
#include <csignal>

#include "cli/count_command.h"
#include "support/str_proc.h"

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A reader that goes away ends the program quietly, as it ends other filters, even when
    // the parent process ignored the signal.
    std::signal(SIGPIPE, SIG_DFL);
#endif
    QCoreApplication app(argc, argv);
    lxt::InitNumberLocale();
    return lxt::cli::RunCountCommand(app.arguments());
}

// lxt-count: the headless counter.
#include <QCoreApplication>
#include <csignal>

#include "cli/count_command.h"
#include "support/native_file_name.h"
#include "support/str_proc.h"

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A reader that goes away ends the program quietly, as it ends other filters, even when
    // the parent process ignored the signal.
    std::signal(SIGPIPE, SIG_DFL);
#endif
    QCoreApplication app(argc, argv);
    lxt::InitNumberLocale();
    // The arguments keep their bytes: a file name that is not UTF-8 still names its own file.
    return lxt::cli::RunCountCommand(lxt::DecodeArguments(argc, argv));
}

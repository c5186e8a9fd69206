// lxt-count: the headless counter.
#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>

#include "cli/count_command.h"
#include "support/str_proc.h"

namespace {

// An argument that does not survive the decoding into text (a file name that is not valid
// in the system's encoding) would name another file: it is refused before anything is read
// or written.
bool ArgumentsRoundTrip(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        if (QFile::encodeName(QFile::decodeName(raw)) == raw) continue;
        const QByteArray shown = QFile::decodeName(raw).toUtf8();
        std::fprintf(stderr,
                     "lxt-count: %s: the name is not valid in the system's encoding (UTF-8); "
                     "rename the file or give another name\n",
                     shown.constData());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A reader that goes away ends the program quietly, as it ends other filters, even when
    // the parent process ignored the signal.
    std::signal(SIGPIPE, SIG_DFL);
#endif
    QCoreApplication app(argc, argv);
    if (!ArgumentsRoundTrip(argc, argv)) return lxt::cli::kExitUsage;
    lxt::InitNumberLocale();
    return lxt::cli::RunCountCommand(app.arguments());
}

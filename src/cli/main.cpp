// lxt-count: the headless counter.
#include <QCoreApplication>

#include "cli/count_command.h"
#include "support/str_proc.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    lxt::InitNumberLocale();
    return lxt::cli::RunCountCommand(app.arguments());
}

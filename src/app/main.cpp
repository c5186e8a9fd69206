// The windows of LXT.
#include <QApplication>

#include "app/frm_main.h"
#include "support/native_file_name.h"
#include "support/str_proc.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lxt::InitNumberLocale();
    // QApplication has taken its own options out of argv; the rest keep their bytes, so that
    // a file name that is not UTF-8 still names its own file.
    return lxt::RunMainWindow(app, lxt::DecodeArguments(argc, argv));
}

// The windows of LXT.
#include <QApplication>

#include "app/frm_main.h"
#include "support/str_proc.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lxt::InitNumberLocale();
    return lxt::RunMainWindow(app);
}

#include "app/frm_main.h"

#include <QApplication>

namespace lxt {

int RunMainWindow(QApplication& app) { return app.exec(); }

}  // namespace lxt

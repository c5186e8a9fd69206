#include "support/str_proc.h"

#include <QLocale>

namespace lxt {

void InitNumberLocale() {
    if (QLocale::system().language() == QLocale::C) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
}

}  // namespace lxt

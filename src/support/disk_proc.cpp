#include "support/disk_proc.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace lxt {

QString FirstFixedDrive() {
#ifdef Q_OS_WIN
    for (char16_t letter = u'C'; letter <= u'Z'; ++letter) {
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
        if (GetDriveTypeW(root) == DRIVE_FIXED) return QString(QChar(letter)) + u':';
    }
    return {};
#else
    return {};
#endif
}

}  // namespace lxt

// Case mapping of single UTF-16 code units as the scanner uses it: the platform's mapping
// (QChar::toLower / toUpper, and "i" for "İ" as LowerCaseFull gives it), answered without a
// table look-up for ASCII characters.
#pragma once

#include <QChar>

#include "support/str_proc.h"

namespace lxt {

inline QChar LowerChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) return QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
    return u == kCapitalIWithDot ? QChar(u'i') : c.toLower();
}

inline QChar UpperChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) return QChar(u >= u'a' && u <= u'z' ? char16_t(u - 32) : u);
    return c.toUpper();
}

}  // namespace lxt

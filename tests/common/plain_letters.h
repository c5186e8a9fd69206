// The letter and vowel rules as they read, written once more without the scanner's tables,
// for the tests that compare the scanner's words with an independent count.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include "scan/scan_options.h"
#include "support/win1252.h"

namespace lxt::test {

// A letter: a Windows-1252 character by its class byte, any other by its Unicode category.
inline bool PlainLetter(QChar c) {
    return Win1252Byte(c) >= 0 ? IsLetterClass(ClassByte(c)) : c.isLetter();
}
// A vowel or y of the vowel list; a Latin or Greek letter made from one of them or from a
// Greek vowel; a Cyrillic vowel; any letter of another script.
inline bool PlainVowel(QChar c) {
    if (QStringView(kVowelsOrY).contains(c)) return true;
    if (Win1252Byte(c) >= 0 || !c.isLetter()) return false;
    const QString d = c.decomposition();
    const QChar base = d.isEmpty() ? c : d[0];
    switch (c.script()) {
        case QChar::Script_Latin:
            return QStringView(kVowelsOrY).contains(base);
        case QChar::Script_Greek:
            return QStringView(u"αεηιουωΑΕΗΙΟΥΩ").contains(base);
        case QChar::Script_Cyrillic:
            return QStringView(u"аеёиоуыэюяіїєАЕЁИОУЫЭЮЯІЇЄ").contains(c);
        default:
            return true;
    }
}

// A vowel of the lower-case vowel list, or a lower-case Latin, Greek or Cyrillic vowel
// beyond Windows-1252 (not y).
inline bool PlainLowerVowel(QChar c) {
    if (Win1252Byte(c) >= 0) return QStringView(kLowerCaseVowels).contains(c);
    const QString d = c.decomposition();
    const QChar base = d.isEmpty() ? c : d[0];
    const QChar::Script script = c.script();
    return PlainVowel(c) && c.isLower() && base != u'y' &&
           (script == QChar::Script_Latin || script == QChar::Script_Greek ||
            script == QChar::Script_Cyrillic);
}

}  // namespace lxt::test

#include "scan/letter_classes.h"

#include <QChar>
#include <QString>
#include <QStringView>
#include <array>
#include <memory>

#include "scan/scan_options.h"
#include "support/win1252.h"

namespace lxt {

namespace {

// The letter a letter is made from: its decomposition's first character, followed down to
// a letter that has none (ǘ → ü → u).
char32_t BaseLetter(char32_t code) {
    for (int depth = 0; depth < 4; ++depth) {
        const QString d = QChar::decomposition(code);
        if (d.isEmpty()) break;
        int length = 1;
        code = CodePointAt(reinterpret_cast<const char16_t*>(d.utf16()),
                           reinterpret_cast<const char16_t*>(d.utf16()) + d.size(), length);
    }
    return code;
}

bool In(const char16_t* list, char32_t code) {
    return code < 0x10000 && QStringView(list).contains(QChar(char16_t(code)));
}

// True for a vowel or y: a Latin letter made from one of the vowels of the vowel list or
// from y (ą, ő, ŷ), the dotless i, a Greek vowel with or without accents, or one of the
// Cyrillic vowels.
bool IsVowel(char32_t code, QChar::Script script) {
    switch (script) {
        case QChar::Script_Latin:
            return code == U'ı' || In(kVowelsOrY, BaseLetter(code));
        case QChar::Script_Greek:
            return In(kGreekVowels, BaseLetter(code));
        case QChar::Script_Cyrillic:
            return In(kCyrillicVowels, code);
        default:
            return false;
    }
}

bool IsMark(QChar::Category c) {
    return c == QChar::Mark_NonSpacing || c == QChar::Mark_SpacingCombining ||
           c == QChar::Mark_Enclosing;
}

bool IsLetter(QChar::Category c) {
    return c >= QChar::Letter_Uppercase && c <= QChar::Letter_Other;
}

}  // namespace

unsigned char LetterClass(char32_t code) {
    if (code < 0x10000 && Win1252Byte(QChar(char16_t(code))) >= 0) return kClassWin1252;
    if (code >= 0xD800 && code < 0xDC00) return kClassHighSurrogate;
    const QChar::Category category = QChar::category(code);
    if (IsMark(category)) return kClassMark;
    if (!IsLetter(category)) return 0;
    const QChar::Script script = QChar::script(code);
    unsigned char bits = kClassLetter;
    if (script != QChar::Script_Latin && script != QChar::Script_Greek &&
        script != QChar::Script_Cyrillic) {
        bits |= kClassOtherScript;
    } else if (IsVowel(code, script)) {
        bits |= kClassVowel;
        // The final-s rule knows the vowels without y.
        const bool yLike = script == QChar::Script_Latin && In(u"Yy", BaseLetter(code));
        if (QChar::isLower(code) && !yLike) bits |= kClassLowerVowel;
    }
    return bits;
}

const unsigned char* CodeUnitClasses() {
    static const std::unique_ptr<std::array<unsigned char, 0x10000>> table = [] {
        auto t = std::make_unique<std::array<unsigned char, 0x10000>>();
        for (char32_t u = 0; u < 0x10000; ++u) {
            (*t)[u] = (u >= 0xDC00 && u < 0xE000) ? 0 : LetterClass(u);
        }
        return t;
    }();
    return table->data();
}

}  // namespace lxt

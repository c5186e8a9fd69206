// Letters beyond Windows-1252. A character that Windows-1252 has is judged by its class byte
// (scan_options.h); any other character is a letter when its Unicode general category is a
// letter (L*), a combining mark (M*) may continue a word after a letter, and everything
// else separates words. Among those letters the Latin, Greek and Cyrillic vowels (and y)
// are vowels, and a letter of any other script spares its word the no-vowel rule.
#pragma once

#include <QtGlobal>

namespace lxt {

// The class bits of a character.
inline constexpr unsigned char kClassWin1252 = 1;         // a Windows-1252 character
inline constexpr unsigned char kClassLetter = 2;          // any other letter
inline constexpr unsigned char kClassMark = 4;            // a combining mark
inline constexpr unsigned char kClassVowel = 8;           // a vowel (or y) among the letters
inline constexpr unsigned char kClassLowerVowel = 16;     // a vowel in lower case
inline constexpr unsigned char kClassOtherScript = 32;    // a letter of a script without vowels
inline constexpr unsigned char kClassHighSurrogate = 64;  // the first half of a pair

// The Greek and Cyrillic vowels; their accented Greek forms are vowels too.
inline constexpr char16_t kGreekVowels[] = u"αεηιουωΑΕΗΙΟΥΩ";
inline constexpr char16_t kCyrillicVowels[] = u"аеёиоуыэюяіїєАЕЁИОУЫЭЮЯІЇЄ";

// The class bits of a code point (Windows-1252 characters have kClassWin1252 alone).
unsigned char LetterClass(char32_t code);
// The class bits of every UTF-16 code unit, 65,536 entries (a lone low surrogate has none).
const unsigned char* CodeUnitClasses();

// The code point that starts at p (p < end) and its length in code units: a surrogate pair
// gives its code point and 2, any other code unit itself and 1.
inline char32_t CodePointAt(const char16_t* p, const char16_t* end, int& length) {
    const char16_t u = *p;
    if (u >= 0xD800 && u < 0xDC00 && p + 1 < end && p[1] >= 0xDC00 && p[1] < 0xE000) {
        length = 2;
        return 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(p[1]) - 0xDC00);
    }
    length = 1;
    return u;
}

}  // namespace lxt

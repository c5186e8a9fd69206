// Scan options and character classes: the one word-character test, decided on the class
// byte (the low 8 bits of a character's code), the fixed character lists of the word rules,
// and the extra word characters built from the settings.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <array>

namespace lxt {

struct RunState;

// The vowels (60 characters), the vowels followed by "Yy", and the vowels lower-cased.
inline constexpr char16_t kVowels[] =
    u"AEIOUaeiouÀÁÂÃÄÅÆÈÉÊËÌÍÎÏÒÓÔÕÖØÙÚÛÜàáâãäåæèéêëìíîïòóôõöøùúûü";
inline constexpr char16_t kVowelsOrY[] =
    u"AEIOUaeiouÀÁÂÃÄÅÆÈÉÊËÌÍÎÏÒÓÔÕÖØÙÚÛÜàáâãäåæèéêëìíîïòóôõöøùúûüYy";
inline constexpr char16_t kLowerCaseVowels[] =
    u"aeiouaeiouàáâãäåæèéêëìíîïòóôõöøùúûüàáâãäåæèéêëìíîïòóôõöøùúûü";
// Every letter the program knows, capitals first.
inline constexpr char16_t kFullLetterList[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZŠŒŸÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"
    u"abcdefghijklmnopqrstuvwxyzšœÿàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþß";
inline constexpr char16_t kDigits[] = u"0123456789";
// The Windows-1252 code of the left single quotation mark, an apostrophe when allowed.
inline constexpr unsigned char kLeftSingleQuoteCode = 145;

// The class byte of a character: the low 8 bits of its code.
inline unsigned ClassByte(QChar c) {
    return c.unicode() & 0xFFu;
}
// A letter: class byte 65-90, 97-122, 192-214, 216-246 or 248-255.
bool IsLetterClass(unsigned classByte);
// The word-character test: a letter, a digit when `digits` is set, or a character whose
// class byte names (as a Windows-1252 code) a character of `extra`.
bool IsWordChar(QChar c, QStringView extra, bool digits);

// The same test precomputed for one extra set: one table look-up per character. The table
// also tells, for the characters U+0000-U+00FF, which are in the vowel-or-y list.
class WordCharTable {
  public:
    static constexpr unsigned char kWordBit = 1;
    static constexpr unsigned char kVowelOrYBit = 2;

    WordCharTable(QStringView extra, bool digits);
    bool operator()(QChar c) const { return (table_[c.unicode() & 0xFFu] & kWordBit) != 0; }
    // kWordBit when the code unit is a word character, plus kVowelOrYBit when it is a vowel
    // or y.
    unsigned Flags(char16_t u) const {
        return table_[u & 0xFFu] & (u < 256 ? 0xFFu : unsigned(kWordBit));
    }
    // The same without the check that u is below 256 (its kVowelOrYBit then says nothing).
    unsigned ClassFlags(char16_t u) const { return table_[u & 0xFFu]; }

  private:
    std::array<unsigned char, 256> table_{};
};

// The characters that may begin a word: `extra` without those of `prohibited`.
QString StartChars(QStringView extra, QStringView prohibited);

// Rebuilds run.strExtraChars from the hyphen, apostrophe and numeral settings.
void SetExtraChars(RunState& run);

// What a scan needs to know about words, built once when the scan starts and never changed
// while it runs: the word characters, the characters that may begin a word and the longest
// word counted.
struct ScanOptions {
    ScanOptions(QStringView extraChars, QStringView prohibitedInitialOrFinalChars,
                int maxWordLength);

    WordCharTable word;   // letters and the extra characters (digits only among those)
    WordCharTable start;  // the same without the characters a word may not begin with
    int maxWordLength;
};

// The options of a scan of `run` as it stands: its extra characters, the characters a word
// may not begin or end with, and intMaxPermittedWordLength.
ScanOptions ScanOptionsOf(const RunState& run);

}  // namespace lxt

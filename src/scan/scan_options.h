// Scan options and character classes: the one word-character test, decided on the class
// byte (the low 8 bits of a character's code), the fixed character lists of the word rules,
// and the extra word characters built from the settings.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <array>

#include "run/scan_context.h"
#include "scan/letter_classes.h"
#include "scan/markup.h"

namespace lxt {

struct RunState;
struct Settings;

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
// Every character a setting can make a word character (a common-words file is read with all
// of them), those a word may not begin or end with, and those never in a word.
inline constexpr char16_t kAllPossibleExtraChars[] = u"'0123456789-_@:/.\\";
inline constexpr char16_t kProhibitedInitialOrFinalChars[] = u"-'.:,()+";
inline constexpr char16_t kNeverWordChars[] = u"+;<>\"";
// The Windows-1252 code of the left single quotation mark, an apostrophe when allowed.
inline constexpr unsigned char kLeftSingleQuoteCode = 145;

// The class byte of a character: the low 8 bits of its code.
inline unsigned ClassByte(QChar c) {
    return c.unicode() & 0xFFu;
}
// A letter: class byte 65-90, 97-122, 192-214, 216-246 or 248-255.
bool IsLetterClass(unsigned classByte);
// The word-character test of a Windows-1252 character: a letter, a digit when `digits` is
// set, or a character whose class byte names (as a Windows-1252 code) a character of
// `extra`. Any other character is a word character when it is a letter (letter_classes.h).
bool IsWordChar(QChar c, QStringView extra, bool digits);

// The same test precomputed for one extra set, and the Unicode letters beyond Windows-1252
// (letter_classes.h): one table look-up per character on the usual paths. The flags also
// tell which characters are vowels or y (or spare their word the no-vowel rule), letters
// and combining marks.
class WordCharTable {
  public:
    static constexpr unsigned char kWordBit = 1;
    static constexpr unsigned char kVowelOrYBit = 2;
    static constexpr unsigned char kLetterBit = 4;
    static constexpr unsigned char kMarkBit = 8;

    WordCharTable(QStringView extra, bool digits);
    // The word-character test of a character standing alone (a combining mark, which needs
    // a letter before it, and a surrogate are not word characters).
    bool operator()(QChar c) const { return (Flags(c.unicode()) & kWordBit) != 0; }
    // The flags of a code unit below 256.
    unsigned LowFlags(char16_t u) const { return low_[u]; }
    // The flags of a code unit (a mark and a high surrogate give kMarkBit and 0: see At).
    unsigned Flags(char16_t u) const { return u < 256 ? low_[u] : HighFlags(u); }
    // The flags of the character that begins at p (p < end) and its length in code units:
    // a surrogate pair is one character. A mark gives kMarkBit, never kWordBit.
    unsigned At(const char16_t* p, const char16_t* end, int& length) const {
        length = 1;
        const char16_t u = *p;
        if (u < 256) return low_[u];
        const unsigned char c = Classes()[u];
        if ((c & kClassHighSurrogate) == 0) return FromClass(c, u);
        return PairFlags(p, end, length);
    }

  private:
    unsigned HighFlags(char16_t u) const { return FromClass(Classes()[u], u); }
    // The classes of all code units, built on the first look at one above 255 (a scan of
    // plain text never needs them).
    const unsigned char* Classes() const {
        if (classes_ == nullptr) [[unlikely]]
            classes_ = CodeUnitClasses();
        return classes_;
    }
    unsigned FromClass(unsigned char c, char16_t u) const {
        if (c & kClassWin1252) return byClass_[u & 0xFFu];
        if (c & kClassLetter) {
            return kWordBit | kLetterBit |
                   ((c & (kClassVowel | kClassOtherScript)) ? kVowelOrYBit : 0u);
        }
        return (c & kClassMark) ? kMarkBit : 0u;
    }
    unsigned PairFlags(const char16_t* p, const char16_t* end, int& length) const;

    // Characters below 256, and Windows-1252 characters above by their class byte.
    std::array<unsigned char, 256> low_{};
    std::array<unsigned char, 256> byClass_{};
    mutable const unsigned char* classes_ = nullptr;
};

// The characters that may begin a word: `extra` without those of `prohibited`.
QString StartChars(QStringView extra, QStringView prohibited);

// The extra word characters that the hyphen, apostrophe and numeral settings allow.
QString ExtraChars(const Settings& settings);

// What a scan needs to know, built once when the scan starts and never changed while it
// runs: the word characters, the characters that may begin a word, the longest word counted,
// the word rules in force, the context (counting, or reading a common-words file) and the
// marker pairs of the markup mode.
struct ScanOptions {
    ScanOptions(QStringView extraChars, QStringView prohibitedInitialOrFinalChars,
                int maxWordLength);

    WordCharTable word;   // letters and the extra characters (digits only among those)
    WordCharTable start;  // the same without the characters a word may not begin with
    int maxWordLength;
    // Reading a common-words file: marked spans are always looked for, nothing is decoded,
    // and the final-s and apostrophe rules are off.
    bool readingWords = false;
    bool dropFinalS = false;          // chkDropFinalS
    bool apostrophesAllowed = false;  // chkAllowWordsWithApostrophes
    bool ignoreNoVowel = false;       // chkIgnoreNoVowel
    MarkupMarkers markers;
    // Marked spans are looked for (in the reading context, or when pairs are in use).
    bool commentsPossible = false;
    // Entities are decoded before a line is scanned (counting context, markup modes).
    bool decodeEntities = false;
};

// The options of a scan of `run` in `context`: the extra characters (ExtraChars of the
// settings when counting, every possible one when reading common words), the characters a
// word may not begin or end with, intMaxPermittedWordLength, the word-rule settings, and the
// marker pairs `markers`.
ScanOptions ScanOptionsOf(const RunState& run, ScanContext context, const MarkupMarkers& markers);

// For the quick line scans: marks in `refused` the characters below 128 at which a marked
// span or an entity may begin (a line holding one takes ScanLine). False when no line may
// take a quick scan: a marker that begins with a letter, or beyond ASCII, matches in more
// than one case or spelling, and the common-words read keeps to ScanLine.
bool QuickScanRefusals(const ScanOptions& options, std::array<bool, 128>& refused);

}  // namespace lxt

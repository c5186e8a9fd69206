// The program's string library: case folding and sort-key folding, the repair of UTF-8
// read as Windows-1252, character tests, trimming, the duration, byte-count and number
// texts, path splitting and small word-list operations. Every function depends on its
// arguments only. Positions in the arguments are 0-based.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace lxt {

// Capitals folded explicitly by LowerCaseFull and the accent and umlaut tables.
inline constexpr char16_t kAccentedCapitals[] = u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝ";
inline constexpr char16_t kAccentedSmalls[] = u"šÿàáâãäåçèéêëìíîïðñòóôõöøùúûüý";

// The capital I with dot above, whose simple lower case "i" QChar::toLower does not give
// (it keeps the character, as for a special casing): lower-casing gives "i" explicitly.
inline constexpr char16_t kCapitalIWithDot = 0x0130;

QString LowerCaseFull(QStringView text);
// LowerCaseFull in place: the same characters, no new string when text is not shared.
void LowerCaseFullInPlace(QString& text);
QString ExpandUmlauts(QStringView text);
QString RemoveAccents(QStringView text);
QString SortFold(QStringView text);  // RemoveAccents(ExpandUmlauts(text))
// LowerCaseFull(SortFold(text)) in one pass: the key of the alphabetical order.
QString LowerSortFold(QStringView text);
// LowerSortFold written to `dst`, which has room for twice the length of `text` (a character
// becomes at most two); gives back the length written.
qsizetype LowerSortFoldInto(QStringView text, char16_t* dst);
// True when LowerSortFold gives back `text` itself, told from the characters below U+0180
// (false for any other).
bool SortFoldKeeps(QStringView text);

// The repairs return the text itself (no copy) when it holds no lead character.
QString RepairUtf8Pairs(const QString& text);
QString RepairUtf8Punctuation(const QString& text);

// The repairs of text decoded as UTF-8, which change what the two repairs above change in
// text read one byte to a character: the C1 control characters (U+0080 to U+009F) go and
// "č" becomes "c"; the dashes, quotation marks, bullet, ellipsis and angle quotation marks
// of U+2010 to U+203A become their ASCII stand-ins. Other characters stay.
void RepairDecodedPairs(QString& text);
void RepairDecodedPunctuation(QString& text);

// False for the empty text and for a text holding a character whose class byte is 128 or
// more, or that Windows-1252 lacks.
bool IsSevenBit(QStringView text);
// The number of characters of a text: a surrogate pair is one character.
qsizetype CharacterCount(QStringView text);
bool IsPlainText(QStringView text, qsizetype maximum, bool strict);
void TrimControls(QString& text);
QString SafeLeft(const QString& text, qsizetype n);
qint32 CountOccurrences(const QString& text, const QString& part, bool caseSensitive);
qint32 CountCharsOf(QStringView text, QStringView set);

// Whole numbers with the locale's digit grouping and no decimals ("1,234").
QString GroupedNumber(qint64 n);
// Makes the grouping follow the user's locale; the plain "C" locale is read as English.
void InitNumberLocale();

QString DurationText(qint64 seconds);
QString BytesText(double number, bool capital);
QString NumberInWords(qint32 n);
int RandomInteger(int low, int high, bool even);

// Path parts. The folder separator is the platform's ('/' here, '\' on Windows, where '/'
// is accepted as well).
QChar PathSeparator();
QString FileExtension(const QString& path, bool lower);
QString FileNamePart(const QString& path, bool lower);
QString FolderPart(const QString& path, bool normalise);
// On a case-sensitive file system a path keeps its case; on Windows the drive letter is
// upper-cased and the rest lower-cased.
QString NormalisePathCase(const QString& path);
QString ChangeExtension(const QString& name, const QString& extension);
// Removes trailing folder separators, keeping a root ("/", "C:\\").
void StripTrailingBackslashes(QString& path);

// Word lists. Arrays are QStringLists; first and last are 0-based, -1 meaning the end.
int SplitWords(const QString& text, const QString& separator, int start, QStringList& array,
               bool trim, int maxCount, int minLength);
QString JoinWords(const QStringList& array, const QString& separator, bool keepLast, int first,
                  int last);
int RemoveDuplicates(QStringList& array, bool ignoreCase, int first, int last, bool shrink);

}  // namespace lxt

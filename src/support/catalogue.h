// The message catalogue: numbered program texts kept in lxt.dat beside the program,
// loaded once at start-up and fetched by number. A missing text is fetched as empty.
#pragma once

#include <QString>

namespace lxt {

inline constexpr int kLanguageEnglish = 0;
inline constexpr int kLanguageSecond = 1;
inline constexpr int kLanguageThird = 2;
// A fetched text holds at most this many characters.
inline constexpr int kMessageBufferLength = 1024;

// Results of a failed load (see CatalogueFailureText). A duplicate number, an over-long text
// and a line without a text are reported with their line number added to the base code
// (made negative): -1500 - line, -1000 - line, -500 - line.
inline constexpr int kCatalogueNoText = 0;
inline constexpr int kCatalogueCannotOpen = -1;
inline constexpr int kCatalogueTooMuchText = -3;
inline constexpr int kCatalogueEmptyFile = -6;
inline constexpr int kCatalogueReadError = -7;
inline constexpr int kCatalogueMemoryError = -8;
inline constexpr int kCatalogueDuplicateBase = -1500;
inline constexpr int kCatalogueTooLongBase = -1000;
inline constexpr int kCatalogueMissingBase = -500;
// The line numbers that the codes above can carry.
inline constexpr int kCatalogueMaxLines = 500;

// The catalogue path for a program folder: folder, a separator unless the folder already
// ends with one, and "lxt.dat".
QString CataloguePath(const QString& programFolder);
// Loads the catalogue; returns the number of texts read (above 0) on success, else the
// failure code. A failed load leaves no texts loaded.
int LoadCatalogue(const QString& path);
// The text shown for a failed load with result `code` (0 or below).
QString CatalogueFailureText(int code, const QString& path);
// The text of message `number` in the current language; empty when missing or "~".
QString Message(int number);
void SetCurrentLanguage(int languageIndex);
int CurrentLanguage();

}  // namespace lxt

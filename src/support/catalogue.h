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

// The catalogue path for a program folder: folder, a separator unless the folder already
// ends with one, and "lxt.dat".
QString CataloguePath(const QString& programFolder);
// Loads the catalogue; returns a value above 0 on success, else the failure code.
int LoadCatalogue(const QString& path);
// The text shown for a failed load with result `code` (0 or below).
QString CatalogueFailureText(int code, const QString& path);
// The text of message `number` in the current language; empty when missing or "~".
QString Message(int number);
void SetCurrentLanguage(int languageIndex);

}  // namespace lxt

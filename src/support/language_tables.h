// The language tables: the six languages the program ships common-words files for, their
// two-letter codes, the file of each language and the eight entries of the language
// picker with the common-words file each one selects. Fixed tables, never changed.
#pragma once

#include <QString>
#include <QStringList>

namespace lxt {

inline constexpr int kNumLanguages = 6;
inline constexpr int kNumPickerEntries = 8;
// The codes of positions 0 to 5, two letters each, joined by underscores.
inline constexpr char kLanguageCodes[] = "en_de_es_pt_it_fr";
inline constexpr int kEntryEnglishAndGerman = 6;
inline constexpr int kEntryAllSixLanguages = 7;
inline constexpr char kAllLanguagesFileName[] = "cwds_en_de_es_pt_it_fr.txt";
// The English and German lists joined, the file of picker entry 6.
inline constexpr char kEnglishAndGermanFileName[] = "cwds_en_de.txt";
inline constexpr char kDefaultCommonWordsFileName[] = "cwds_en.txt";

// "English" ... "French" (positions 0 to 5).
const QStringList& LanguageNames();
// "cwds_en.txt" ... "cwds_fr.txt", then the six-language file (positions 0 to 6).
const QStringList& CommonWordsFileNames();
// The two-letter code of language position 0 to 5 ("en" ... "fr"), empty otherwise.
QString LanguageCode(int position);
// The language position of a two-letter code, or -1 when it is not one of the six.
int LanguagePosition(const QString& code);

// The texts of the picker's entries: the six names, "English and German", "All six languages".
QStringList PickerEntryTexts();
// The common-words file name selected by picker entry 0 to 7, empty otherwise.
QString PickerEntryFileName(int entry);
// The caption of the accept button for picker entry 0 to 7.
QString PickerAcceptCaption(int entry);

// The folder of the program's data files (see data_folder.h).
QString ProgramFolder();
// A file beside the program: the program's folder, the folder separator and `fileName`.
QString ProgramFilePath(const QString& fileName);
// The path of the common-words file of picker entry 0 to 7 (empty for other entries).
QString PickerEntryPath(int entry, const QString& programFolder = ProgramFolder());
// The path of the common-words file of language position 0 to 5.
QString LanguageFilePath(int position, const QString& programFolder = ProgramFolder());

}  // namespace lxt

#include "support/language_tables.h"

#include <QDir>

#include "support/data_folder.h"

namespace lxt {

namespace {

constexpr char kEnglishAndGerman[] = "English and German";
constexpr char kAllSixLanguages[] = "All six languages";
constexpr char kAcceptOneLanguage[] = "Load common words file for this language";
constexpr char kAcceptLanguages[] = "Load common words file for these languages";

}  // namespace

const QStringList& LanguageNames() {
    static const QStringList names{QStringLiteral("English"), QStringLiteral("German"),
                                   QStringLiteral("Spanish"), QStringLiteral("Portuguese"),
                                   QStringLiteral("Italian"), QStringLiteral("French")};
    return names;
}

const QStringList& CommonWordsFileNames() {
    static const QStringList files{QStringLiteral("cwds_en.txt"),
                                   QStringLiteral("cwds_de.txt"),
                                   QStringLiteral("cwds_es.txt"),
                                   QStringLiteral("cwds_pt.txt"),
                                   QStringLiteral("cwds_it.txt"),
                                   QStringLiteral("cwds_fr.txt"),
                                   QString::fromLatin1(kAllLanguagesFileName)};
    return files;
}

QString LanguageCode(int position) {
    if (position < 0 || position >= kNumLanguages) return {};
    return QString::fromLatin1(kLanguageCodes).mid(position * 3, 2);
}

int LanguagePosition(const QString& code) {
    for (int position = 0; position < kNumLanguages; ++position) {
        if (LanguageCode(position) == code) return position;
    }
    return -1;
}

QStringList PickerEntryTexts() {
    QStringList texts = LanguageNames();
    texts << QString::fromLatin1(kEnglishAndGerman) << QString::fromLatin1(kAllSixLanguages);
    return texts;
}

QString PickerEntryFileName(int entry) {
    if (entry >= 0 && entry < kNumLanguages) return CommonWordsFileNames().at(entry);
    if (entry == kEntryEnglishAndGerman) return QString::fromLatin1(kEnglishAndGermanFileName);
    if (entry == kEntryAllSixLanguages) return QString::fromLatin1(kAllLanguagesFileName);
    return {};
}

QString PickerAcceptCaption(int entry) {
    return QString::fromLatin1(entry < kNumLanguages ? kAcceptOneLanguage : kAcceptLanguages);
}

QString ProgramFolder() {
    return DataFolder();
}

QString ProgramFilePath(const QString& fileName) {
    return ProgramFolder() + QDir::separator() + fileName;
}

QString PickerEntryPath(int entry, const QString& programFolder) {
    const QString name = PickerEntryFileName(entry);
    if (name.isEmpty()) return {};
    return programFolder + QDir::separator() + name;
}

QString LanguageFilePath(int position, const QString& programFolder) {
    if (position < 0 || position >= kNumLanguages) return {};
    return PickerEntryPath(position, programFolder);
}

}  // namespace lxt

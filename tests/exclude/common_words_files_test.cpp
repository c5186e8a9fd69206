// The common-words files shipped beside the program, and the language tables that name them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "exclude/common_words.h"
#include "run/run_state.h"
#include "support/language_tables.h"

namespace lxt {
namespace {

using test::DataDir;
using test::ScriptedUi;

QStringList ReadShipped(const QString& fileName) {
    ScriptedUi ui;
    RunState run(ui);
    run.strCommonWordsFile = DataDir() + QDir::separator() + fileName;
    EXPECT_TRUE(ReadCommonWords(run)) << fileName.toStdString();
    EXPECT_TRUE(ui.shown.empty());
    return run.strCommonWords;
}

TEST(LanguageTablesTest, NamesCodesAndFilesArePaired) {
    EXPECT_EQ(LanguageNames(),
              (QStringList{"English", "German", "Spanish", "Portuguese", "Italian", "French"}));
    EXPECT_EQ(CommonWordsFileNames(),
              (QStringList{"cwds_en.txt", "cwds_de.txt", "cwds_es.txt", "cwds_pt.txt",
                           "cwds_it.txt", "cwds_fr.txt", "cwds_en_de_es_pt_it_fr.txt"}));
    const QStringList codes{"en", "de", "es", "pt", "it", "fr"};
    for (int i = 0; i < kNumLanguages; ++i) {
        EXPECT_EQ(LanguageCode(i), codes[i]);
        EXPECT_EQ(LanguagePosition(codes[i]), i);
        EXPECT_TRUE(CommonWordsFileNames()[i].contains(QStringLiteral("_") + codes[i] + '.'));
    }
    EXPECT_EQ(LanguagePosition(QStringLiteral("nl")), -1);
    EXPECT_EQ(LanguagePosition(QStringLiteral("_d")), -1);
    EXPECT_EQ(LanguageCode(6), QString());
}

TEST(LanguageTablesTest, PickerEntriesSelectTheirFiles) {
    EXPECT_EQ(PickerEntryTexts().size(), kNumPickerEntries);
    EXPECT_EQ(PickerEntryTexts()[6], QStringLiteral("English and German"));
    EXPECT_EQ(PickerEntryTexts()[7], QStringLiteral("All six languages"));
    EXPECT_EQ(PickerEntryFileName(7), QStringLiteral("cwds_en_de_es_pt_it_fr.txt"));
    EXPECT_EQ(PickerEntryFileName(6), QStringLiteral("cwds_en_de.txt"));
    EXPECT_EQ(PickerEntryFileName(8), QString());
    EXPECT_EQ(PickerEntryFileName(-1), QString());
    EXPECT_EQ(PickerAcceptCaption(5), QStringLiteral("Load common words file for this language"));
    EXPECT_EQ(PickerAcceptCaption(6), QStringLiteral("Load common words file for these languages"));
    EXPECT_EQ(PickerAcceptCaption(7), QStringLiteral("Load common words file for these languages"));
}

TEST(LanguageTablesTest, FrenchEntryIsTheFrenchFileBesideTheProgram) {
    const QString folder = QStringLiteral("/opt/lxt");
    EXPECT_EQ(PickerEntryPath(5, folder), folder + QDir::separator() + "cwds_fr.txt");
    EXPECT_EQ(LanguageFilePath(5, folder), folder + QDir::separator() + "cwds_fr.txt");
    EXPECT_EQ(PickerEntryPath(5), ProgramFolder() + QDir::separator() + "cwds_fr.txt");
    EXPECT_EQ(LanguageFilePath(6, folder), QString());
}

TEST(ShippedCommonWordsTest, EveryPickerEntryHasItsFileBesideTheProgram) {
    for (int entry = 0; entry < kNumPickerEntries; ++entry) {
        EXPECT_TRUE(QFileInfo::exists(PickerEntryPath(entry)))
            << PickerEntryPath(entry).toStdString();
    }
}

TEST(ShippedCommonWordsTest, EachLanguageListHoldsItsCommonWords) {
    const QList<QPair<QString, QStringList>> samples{
        {"cwds_en.txt", {"the", "and", "which", "would", "don't"}},
        {"cwds_de.txt", {"und", "der", "nicht", "für", "über", "dass"}},
        {"cwds_es.txt", {"que", "los", "para", "también", "está"}},
        {"cwds_pt.txt", {"que", "não", "uma", "também", "você"}},
        {"cwds_it.txt", {"che", "della", "perché", "più", "sono"}},
        {"cwds_fr.txt", {"que", "les", "est", "être", "très", "avec"}},
    };
    QSet<QString> all;
    for (const auto& [file, words] : samples) {
        const QStringList list = ReadShipped(file);
        EXPECT_GT(list.size(), 120) << file.toStdString();
        for (const QString& word : words)
            EXPECT_TRUE(list.contains(word)) << file.toStdString() << " " << word.toStdString();
        // Nothing of the header comment is read.
        for (const char* header : {"snowball", "licence", "common", "generated", "perl"})
            EXPECT_FALSE(list.contains(QString::fromLatin1(header))) << file.toStdString();
        QStringList sorted = list;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, list);
        for (const QString& word : list) all.insert(word);
    }
    const QStringList union6 = ReadShipped(QStringLiteral("cwds_en_de_es_pt_it_fr.txt"));
    EXPECT_EQ(QSet<QString>(union6.begin(), union6.end()), all);

    const QStringList en = ReadShipped(QStringLiteral("cwds_en.txt"));
    const QStringList de = ReadShipped(QStringLiteral("cwds_de.txt"));
    QSet<QString> enDe(en.begin(), en.end());
    enDe.unite(QSet<QString>(de.begin(), de.end()));
    const QStringList pair = ReadShipped(QStringLiteral("cwds_en_de.txt"));
    EXPECT_EQ(QSet<QString>(pair.begin(), pair.end()), enDe);
}

}  // namespace
}  // namespace lxt

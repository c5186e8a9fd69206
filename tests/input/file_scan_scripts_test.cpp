// Real texts in Russian, Polish and Greek, read as UTF-8 files, against an independent count
// of their words with the default settings.
#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include "common/plain_letters.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "input/docx_extraction.h"
#include "input/file_scan.h"
#include "run/run_state.h"
#include "scan/scan_options.h"

namespace lxt::test {
namespace {

using namespace Qt::StringLiterals;

// Characters for which the class-byte rule and the Unicode category disagree (and "İ",
// which Qt's toLower keeps): lines holding one are left out of the texts.
constexpr char16_t kAmbiguous[] = u"ªºµŠŽžƒ˜İ";

// The words of `text` counted as the default settings read them, step by step: the
// punctuation repairs, lower case, "--" after the second character as blanks, then runs of
// a letter followed by letters, marks and hyphens.
QMap<QString, int> PlainCount(QString text) {
    const std::pair<char16_t, QStringView> repairs[] = {
        {0x2013, u"-"},  {0x2014, u" -- "}, {0x2018, u"'"},   {0x2019, u"'"},  {0x201C, u"\""},
        {0x201D, u"\""}, {0x201E, u"\""},   {0x2026, u"..."}, {0x2022, u" . "}};
    for (const auto& [c, by] : repairs) text.replace(QChar(c), by.toString());
    const QRegularExpression word(QStringLiteral("\\p{L}[\\p{L}\\p{M}-]*"));
    const QStringView stems(u"aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ");
    QMap<QString, int> counts;
    for (QString line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        line = line.toLower();
        for (qsizetype p = line.indexOf(u"--", 2); p >= 0; p = line.indexOf(u"--", p + 2)) {
            line.replace(p, 2, QStringLiteral("  "));
        }
        for (const QRegularExpressionMatch& m : word.globalMatch(line)) {
            QString w = m.captured();
            while (w.endsWith(u'-')) w.chop(1);
            if (w == u"s" || w == u"t" || stems.contains(w + u' ')) continue;
            if (std::none_of(w.begin(), w.end(), PlainVowel)) continue;
            const qsizetype length = w.toUcs4().size();
            if (length < 3 || length > 80 || w.count(w[0]) == w.size()) continue;
            const bool roman = std::all_of(
                w.begin(), w.end(), [](QChar c) { return QStringView(u"ivxlcdm").contains(c); });
            const QStringList exceptions = {u"mid"_s,   u"dim"_s,   u"vim"_s,   u"cid"_s, u"lid"_s,
                                            u"livid"_s, u"vivid"_s, u"civil"_s, u"dill"_s};
            if (roman && !exceptions.contains(w)) continue;
            ++counts[w];
        }
    }
    return counts;
}

// The first lines of a file (those without an ambiguous character) up to about `words`
// words; empty when the file is missing.
QString FirstLines(const QString& path, int words) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString out;
    int count = 0;
    while (!file.atEnd() && count < words) {
        const QString line = QString::fromUtf8(file.readLine());
        if (std::any_of(line.begin(), line.end(),
                        [](QChar c) { return QStringView(kAmbiguous).contains(c); })) {
            continue;
        }
        out += line;
        count += static_cast<int>(line.split(u' ', Qt::SkipEmptyParts).size());
    }
    return out;
}

class ScriptsFromFile : public ::testing::Test {
  protected:
    ScriptsFromFile() {
        run.blnStartUpCompleted = true;
        run.settings.chkUTF8 = 1;
    }
    // Counts `text` written to a UTF-8 file and compares the table with the independent
    // count; gives back the number of different words.
    qsizetype CountAndCompare(const QString& text) {
        const QString path = dir.Write("text.txt", text.toUtf8());
        run.settings.txbFile[0] = path;
        EXPECT_TRUE(DoItFromFile(run, docx));
        QMap<QString, int> table;
        for (qint32 i = 1; i <= run.lngNumWords; ++i) {
            table[run.WordTable[i].Word().toString()] = run.WordTable[i].frequency;
        }
        const QMap<QString, int> expected = PlainCount(text);
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            EXPECT_EQ(table.value(it.key()), it.value()) << it.key().toStdString();
        }
        for (auto it = table.begin(); it != table.end(); ++it) {
            EXPECT_TRUE(expected.contains(it.key())) << it.key().toStdString();
        }
        return table.size();
    }

    TempDir dir;
    ScriptedUi ui;
    RunState run{ui};
    DocxState docx;
};

TEST_F(ScriptsFromFile, RussianAndPolishFortunesAgreeWithAnIndependentCount) {
    const QString russian = FirstLines(u"/usr/share/games/fortunes/ru/life"_s, 400);
    const QString polish = FirstLines(u"/usr/share/games/fortunes/pl/dzieci"_s, 400);
    if (russian.isEmpty() || polish.isEmpty()) {
        GTEST_SKIP() << "fortunes-ru and fortunes-pl are not installed (scripts/bootstrap)";
    }
    EXPECT_GT(CountAndCompare(russian), 150);
    EXPECT_GT(CountAndCompare(polish), 150);
}

TEST_F(ScriptsFromFile, GreekTextAgreesWithAnIndependentCount) {
    QFile file(QStringLiteral(LXT_TEST_FIXTURES "/greek.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString greek = QString::fromUtf8(file.readAll());
    EXPECT_GT(CountAndCompare(greek), 150);
    // A few counts read off the text: capitals without their accents make other words.
    QMap<QString, int> table;
    for (qint32 i = 1; i <= run.lngNumWords; ++i) {
        table[run.WordTable[i].Word().toString()] = run.WordTable[i].frequency;
    }
    EXPECT_EQ(table.value(u"θάλασσα"_s), 6);
    EXPECT_EQ(table.value(u"χωριό"_s), 2);
    EXPECT_EQ(table.value(u"βράδυ"_s), 1);
    EXPECT_EQ(table.value(u"βραδυ"_s), 1);
}

}  // namespace
}  // namespace lxt::test

#include "support/str_proc.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <random>

#include "support/win1252.h"

namespace lxt {
namespace {

// Text as it arrives from a file read byte by byte.
QString Bytes(std::initializer_list<int> bytes) {
    QByteArray raw;
    for (int b : bytes) raw.append(static_cast<char>(b));
    return DecodeWin1252(raw);
}

QString U(const char16_t* s) {
    return QString::fromUtf16(s);
}

TEST(LowerCaseFull, FoldsAccentedCapitalsAndEverythingElse) {
    EXPECT_EQ(LowerCaseFull(U(u"ÉCOLE")), U(u"école"));
    EXPECT_EQ(LowerCaseFull(U(u"ŸES")), U(u"ÿes"));
    EXPECT_EQ(LowerCaseFull(U(u"ŠKODA Ærø ÐÞ")), U(u"škoda ærø ðþ"));
    EXPECT_EQ(LowerCaseFull(U(u"ΑΒΓ Word")), U(u"αβγ word"));
    EXPECT_EQ(LowerCaseFull(u""), QString());
    EXPECT_EQ(LowerCaseFull(QStringView(kAccentedCapitals)), QStringView(kAccentedSmalls));
    // Each character on its own by its simple mapping: a final capital sigma is σ, İ is i,
    // and a capital beyond the Basic Multilingual Plane (Deseret 𐐀) is lowered as a pair.
    EXPECT_EQ(LowerCaseFull(U(u"ΟΔΟΣ İSTANBUL МОСКВА ŁÓDŹ")), U(u"οδοσ istanbul москва łódź"));
    EXPECT_EQ(LowerCaseFull(U(u"\U00010400x\U00010400")), U(u"\U00010428x\U00010428"));
    EXPECT_EQ(LowerCaseFull(U(u"a\xD801")), U(u"a\xD801"));  // a lone surrogate stays
}

TEST(LowerCaseFull, InPlaceAndSortKeyFoldAgreeWithTheCopyingFunctions) {
    // Every code unit up to U+0200 and long mixed texts (blocks of ASCII and others).
    QString all;
    for (char16_t u = 1; u < 0x200; ++u) all.append(QChar(u));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 40);
    const QString pieces[] = {U(u"Straße "), U(u"ÄÖÜ"),       U(u"THE WORD "),
                              U(u"ŒŠŸ"),     U(u"x"),         U(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ[@`{ "),
                              U(u"ΑΒΓ"),     U(u"\U00010400")};
    QStringList texts = {QString(), all, U(u"A")};
    for (int n = 0; n < 200; ++n) {
        QString text;
        for (int k = pick(random); k > 0; --k) text += pieces[pick(random) % std::size(pieces)];
        texts << text;
    }
    for (const QString& text : texts) {
        QString inPlace = text;
        LowerCaseFullInPlace(inPlace);
        EXPECT_EQ(inPlace, LowerCaseFull(text));
        EXPECT_EQ(LowerSortFold(text), LowerCaseFull(SortFold(text)));
    }
    EXPECT_EQ(LowerSortFold(U(u"Größe")), U(u"groesse"));
    // Characters without a folding of their own are lower-cased, pairs as one character.
    EXPECT_EQ(LowerSortFold(U(u"ŁÓDŹ Ώρα \U00010400")), U(u"łodź ώρα \U00010428"));
}

TEST(SortFold, ExpandsUmlautsThenRemovesAccents) {
    EXPECT_EQ(SortFold(U(u"Straße")), U(u"Strasse"));
    EXPECT_EQ(SortFold(U(u"Ærø")), U(u"Aero"));
    EXPECT_EQ(SortFold(U(u"ð")), U(u"ð"));
    EXPECT_EQ(SortFold(U(u"Œuvre Ökonomie Ça")), U(u"Oeuvre Oekonomie Ca"));
    EXPECT_EQ(ExpandUmlauts(U(u"Müller")), U(u"Mueller"));
    EXPECT_EQ(RemoveAccents(U(u"Ÿšÿ Ð")), U(u"Ysy D"));
}

TEST(RepairUtf8Pairs, TwoByteSequences) {
    EXPECT_EQ(RepairUtf8Pairs(Bytes({'c', 'a', 'f', 195, 169})), U(u"café"));
    EXPECT_EQ(RepairUtf8Pairs(Bytes({'a', 194, 160, 'b'})), U(u"a\u00A0b"));
    EXPECT_EQ(RepairUtf8Pairs(Bytes({'a', 194, 133, 'b'})), U(u"ab"));
    EXPECT_EQ(RepairUtf8Pairs(Bytes({194, 169, ' ', 194, 169})), U(u"© ©"));
    EXPECT_EQ(RepairUtf8Pairs(Bytes({'x', 196, 141})), U(u"xc"));
    // Pairs outside the ranges, and a lead at the end, stay as they are.
    EXPECT_EQ(RepairUtf8Pairs(Bytes({194, 'a', 195, 'b', 195})), Bytes({194, 'a', 195, 'b', 195}));
    EXPECT_EQ(RepairUtf8Pairs(Bytes({'A', 195, 150, 'Z'})), U(u"AÖZ"));
}

TEST(RepairUtf8Pairs, ALeadRightAfterARemovedPairIsStillRepaired) {
    EXPECT_EQ(RepairUtf8Pairs(Bytes({194, 133, 194, 160})), U(u"\u00A0"));
    EXPECT_EQ(RepairUtf8Pairs(Bytes({194, 133, 194, 133, 'x'})), U(u"x"));
}

// The repair as first written, by search and replace-all, kept as the reference of the
// single-pass repair: both must agree on every text.
void ReferenceReplacePair(QString& text, QChar a, QChar b, QStringView by) {
    const QChar pair[2] = {a, b};
    text.replace(pair, 2, by.data(), by.size());
}

QString ReferenceRepairUtf8Pairs(const QString& text) {
    const QChar lead194(194);
    const QChar lead195(195);
    QString out = text;
    qsizetype p = out.indexOf(lead194);
    while (p >= 0 && p < out.size() - 1) {
        const QChar next = out[p + 1];
        const int c = Win1252Byte(next);
        qsizetype from = p + 1;
        if (c >= 128 && c <= 159) {
            ReferenceReplacePair(out, lead194, next, QStringView(u""));
            from = p;
        } else if (c >= 160 && c <= 191) {
            const QChar single(c);
            ReferenceReplacePair(out, lead194, next, QStringView(&single, 1));
        }
        p = out.indexOf(lead194, from);
    }
    p = out.indexOf(lead195);
    while (p >= 0 && p < out.size() - 1) {
        const QChar next = out[p + 1];
        const int c = Win1252Byte(next);
        if (c >= 128 && c <= 191) {
            const QChar single(c + 64);
            ReferenceReplacePair(out, lead195, next, QStringView(&single, 1));
        }
        p = out.indexOf(lead195, p + 1);
    }
    ReferenceReplacePair(out, QChar(196), Win1252Char(141), u"c");
    return out;
}

TEST(RepairUtf8Pairs, LeadsMadeOrUncoveredByARepairAreTreatedAsBefore) {
    // A removed pair uncovers an earlier lead 194; the search resumes where the pair stood.
    EXPECT_EQ(RepairUtf8Pairs(Bytes({194, 128, 194, 194, 128, 128})), QString());
    EXPECT_EQ(RepairUtf8Pairs(Bytes({194, 194, 128, 160})), Bytes({194, 160}));
    // 195 with byte 131 makes a new lead 195, which then takes the character after it.
    EXPECT_EQ(RepairUtf8Pairs(Bytes({'x', 195, 195, 131, 164})),
              ReferenceRepairUtf8Pairs(Bytes({'x', 195, 195, 131, 164})));
    EXPECT_EQ(RepairUtf8Pairs(Bytes({195, 132, 141})), U(u"c"));
}

TEST(RepairUtf8Pairs, AgreesWithTheStepwiseRepairOnRandomTexts) {
    // Texts built mostly of leads, bytes after them and letters, so that pairs touch,
    // overlap and follow each other in every way.
    const int alphabet[] = {194, 194, 195, 195, 196, 226, 128, 129, 131, 133,
                            141, 159, 160, 164, 169, 191, 192, 'a', 'B', ' '};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<int> pick(0, std::size(alphabet) - 1);
    int repaired = 0;
    for (int n = 0; n < 100000; ++n) {
        QByteArray raw;
        for (int k = length(random); k > 0; --k)
            raw.append(static_cast<char>(alphabet[pick(random)]));
        const QString text = DecodeWin1252(raw);
        const QString expected = ReferenceRepairUtf8Pairs(text);
        if (expected != text) ++repaired;
        ASSERT_EQ(RepairUtf8Pairs(text), expected) << raw.toHex(' ').toStdString();
    }
    EXPECT_GT(repaired, 30000);  // many texts did need a repair
}

QString Sequence(int third) {
    return Bytes({226, 128, third});
}

TEST(RepairUtf8Punctuation, RepairsTheSequencesOfItsTable) {
    EXPECT_EQ(RepairUtf8Punctuation(U(u"don") + Sequence(153) + U(u"t")), U(u"don't"));
    EXPECT_EQ(RepairUtf8Punctuation(U(u"a") + Sequence(148) + U(u"b")), U(u"a -- b"));
    EXPECT_EQ(RepairUtf8Punctuation(Sequence(156) + U(u"q") + Sequence(157)), U(u"\"q\""));
    EXPECT_EQ(RepairUtf8Punctuation(U(u"1") + Sequence(147) + U(u"2") + Sequence(166)),
              U(u"1-2..."));
    EXPECT_EQ(RepairUtf8Punctuation(Sequence(151)), U(u"\u2030"));
    EXPECT_EQ(RepairUtf8Punctuation(Sequence(185) + Sequence(186) + Sequence(150)), U(u"<>|"));
    EXPECT_EQ(RepairUtf8Punctuation(U(u"plain")), U(u"plain"));
}

TEST(RepairUtf8Punctuation, AnUnknownFirstSequenceIsRemovedAlone) {
    const QString perMille = Sequence(176);
    const QString quote = Sequence(153);
    EXPECT_EQ(RepairUtf8Punctuation(U(u"5") + perMille + U(u" it") + quote + U(u"s")),
              U(u"5 it") + quote + U(u"s"));
    // A pair at the very end has no third character: it is removed.
    EXPECT_EQ(RepairUtf8Punctuation(U(u"x") + Bytes({226, 128})), U(u"x"));
    // A lead 226 without its second character is no sequence: the search goes on.
    EXPECT_EQ(RepairUtf8Punctuation(Bytes({226, 'a', 226}) + quote + Bytes({226})),
              Bytes({226, 'a', 226}) + U(u"'") + Bytes({226}));
}

TEST(RepairDecoded, ChangesWhatTheRepairsOfBytesChange) {
    // Every sequence of the punctuation table, decoded, gives what the byte repair gives.
    for (int third = 144; third <= 186; ++third) {
        const QString bytes = U(u"a") + Sequence(third) + U(u"b");
        QString decoded = U(u"a") + QChar(0x2000 + third - 128) + U(u"b");
        RepairDecodedPunctuation(decoded);
        const QString repaired = RepairUtf8Punctuation(bytes);
        // Outside the table the byte repair drops the sequence; decoded, the character stays.
        if (repaired == U(u"ab")) {
            EXPECT_EQ(decoded.size(), 3) << third;
        } else {
            EXPECT_EQ(decoded, repaired) << third;
        }
    }
    QString text = U(u"\u0080x\u009Fy \u010Dapek \u010C \u2018q\u2019 \u2026");
    RepairDecodedPairs(text);
    EXPECT_EQ(text, U(u"xy capek \u010C \u2018q\u2019 \u2026"));
    RepairDecodedPunctuation(text);
    EXPECT_EQ(text, U(u"xy capek \u010C 'q' ..."));
}

TEST(CharacterTests, SevenBitAndPlainText) {
    EXPECT_FALSE(IsSevenBit(u""));
    EXPECT_TRUE(IsSevenBit(u"plain text 123"));
    EXPECT_FALSE(IsSevenBit(U(u"café")));
    EXPECT_TRUE(IsSevenBit(U(u"\u0161")));    // class byte 97
    EXPECT_FALSE(IsSevenBit(U(u"a\u01E9")));  // class byte 233
    // Beyond Windows-1252 nothing is 7-bit, whatever its class byte.
    EXPECT_FALSE(IsSevenBit(U(u"\u0430\u0431")));  // Cyrillic, class bytes 48 and 49
    EXPECT_EQ(CharacterCount(U(u"ab\U0001D49C\u0301")), 4);
    EXPECT_EQ(CharacterCount(U(u"\xDC00\xD800")), 2);
    EXPECT_TRUE(IsPlainText(u"", 0, true));
    EXPECT_TRUE(IsPlainText(u"a\tb\r\nc\fd", 0, true));
    EXPECT_FALSE(IsPlainText(u"a\tb", 0, false));
    EXPECT_FALSE(IsPlainText(U(u"ab\u0001"), 0, true));
    EXPECT_TRUE(IsPlainText(U(u"ab\u0001"), 2, true));
    EXPECT_FALSE(IsPlainText(U(u"a\u010B"), 0, true));  // class byte 11
}

TEST(CharacterTests, TrimControlsCountsForeignCharactersAsQuestionMarks) {
    QString s = QStringLiteral(" \t \t ");
    TrimControls(s);
    EXPECT_TRUE(s.isEmpty());
    s = U(u"\t\u0001 word\u0081  \r\n");
    TrimControls(s);
    EXPECT_EQ(s, U(u"word\u0081"));  // code 129 is above 32
    s = U(u"\u4E2D x ");
    TrimControls(s);
    EXPECT_EQ(s, U(u"\u4E2D x"));
}

TEST(SmallTexts, SafeLeftAndCounts) {
    EXPECT_EQ(SafeLeft(QStringLiteral("abc"), 2), QStringLiteral("ab"));
    EXPECT_EQ(SafeLeft(QStringLiteral("abc"), 5), QStringLiteral("abc"));
    EXPECT_EQ(SafeLeft(QStringLiteral("abc"), 0), QString());
    EXPECT_EQ(SafeLeft(QStringLiteral("abc"), -1), QString());
    EXPECT_EQ(CountOccurrences(QStringLiteral("aaaa"), QStringLiteral("aa"), true), 2);
    EXPECT_EQ(CountOccurrences(U(u"ÉtÉ été"), U(u"été"), false), 2);
    EXPECT_EQ(CountOccurrences(U(u"ÉtÉ été"), U(u"été"), true), 1);
    EXPECT_EQ(CountOccurrences(QString(), QStringLiteral("a"), true), 0);
    EXPECT_EQ(CountCharsOf(U(u"Grüße aus Köln"), U(u"äöüß")), 3);
}

TEST(DurationText, ShortForms) {
    EXPECT_EQ(DurationText(0), QStringLiteral("0s"));
    EXPECT_EQ(DurationText(59), QStringLiteral("59s"));
    EXPECT_EQ(DurationText(60), QStringLiteral("1m"));
    EXPECT_EQ(DurationText(65), QStringLiteral("1m 5s"));
    EXPECT_EQ(DurationText(3600), QStringLiteral("1h 0m"));
    EXPECT_EQ(DurationText(13462), QStringLiteral("3h 44m 22s"));
    EXPECT_EQ(DurationText(86400), QStringLiteral("1d 0h 0m"));
    EXPECT_EQ(DurationText(90061), QStringLiteral("1d 1h 1m 1s"));
}

TEST(NumberTexts, BytesAndWords) {
    EXPECT_EQ(BytesText(1234, false), QStringLiteral("1,234 bytes"));
    EXPECT_EQ(BytesText(0, true), QStringLiteral("0 Bytes"));
    EXPECT_EQ(BytesText(-1, false), QString());
    EXPECT_EQ(BytesText(1234567.6, true), QStringLiteral("1,234,568 Bytes"));
    EXPECT_EQ(NumberInWords(0), QStringLiteral("No"));
    EXPECT_EQ(NumberInWords(13), QStringLiteral("Thirteen"));
    EXPECT_EQ(NumberInWords(20), QStringLiteral("Twenty"));
    EXPECT_EQ(NumberInWords(21), QStringLiteral("Twenty one"));
    EXPECT_EQ(NumberInWords(40), QStringLiteral("Forty"));
    EXPECT_EQ(NumberInWords(99), QStringLiteral("Ninety nine"));
    EXPECT_EQ(NumberInWords(1000), QStringLiteral("1,000"));
    EXPECT_EQ(GroupedNumber(-1234567), QStringLiteral("-1,234,567"));
}

TEST(NumberTexts, RandomIntegerStaysInRangeAndEven) {
    for (int i = 0; i < 200; ++i) {
        const int r = RandomInteger(3, 9, true);
        EXPECT_GE(r, 3);
        EXPECT_LE(r, 9);
        EXPECT_EQ(r % 2, 0);
        const int any = RandomInteger(1, 2, false);
        EXPECT_TRUE(any == 1 || any == 2);
    }
}

TEST(Paths, PartsOfAPath) {
    const QString s(PathSeparator());
    const QString path = s + "Home" + s + "Doc.v2" + s + "Report.TXT";
    EXPECT_EQ(FileExtension(path, false), QStringLiteral("TXT"));
    EXPECT_EQ(FileExtension(path, true), QStringLiteral("txt"));
    EXPECT_EQ(FileExtension(s + "a.b" + s + "noext", false), QString());
    EXPECT_EQ(FileExtension(QStringLiteral("bare.Htm"), true), QStringLiteral("htm"));
    EXPECT_EQ(FileNamePart(path, false), QStringLiteral("Report.TXT"));
    EXPECT_EQ(FileNamePart(path, true), QStringLiteral("report.txt"));
    EXPECT_EQ(FileNamePart(QStringLiteral("bare.txt"), false), QString());
    EXPECT_EQ(FolderPart(path, false), s + "Home" + s + "Doc.v2" + s);
    EXPECT_EQ(FolderPart(QStringLiteral("bare.txt"), true), QString());
    EXPECT_EQ(ChangeExtension(QStringLiteral("a.b.txt"), QStringLiteral("csv")),
              QStringLiteral("a.b.csv"));
    EXPECT_EQ(ChangeExtension(QStringLiteral("name"), QStringLiteral("csv")),
              QStringLiteral("name.csv"));
    EXPECT_EQ(ChangeExtension(s + "d.x" + s + "name", QStringLiteral("csv")),
              s + "d.x" + s + "name.csv");
}

TEST(Paths, CaseAndTrailingSeparators) {
#ifdef Q_OS_WIN
    EXPECT_EQ(NormalisePathCase(QStringLiteral("c:\\Texts\\A.TXT")),
              QStringLiteral("C:\\texts\\a.txt"));
    QString root = QStringLiteral("C:\\");
    StripTrailingBackslashes(root);
    EXPECT_EQ(root, QStringLiteral("C:\\"));
    QString folder = QStringLiteral("C:\\a\\\\");
    StripTrailingBackslashes(folder);
    EXPECT_EQ(folder, QStringLiteral("C:\\a"));
#else
    EXPECT_EQ(NormalisePathCase(QStringLiteral("/Texts/A.TXT")), QStringLiteral("/Texts/A.TXT"));
    EXPECT_EQ(FolderPart(QStringLiteral("/Texts/A.TXT"), true), QStringLiteral("/Texts/"));
    QString root = QStringLiteral("//");
    StripTrailingBackslashes(root);
    EXPECT_EQ(root, QStringLiteral("/"));
    QString folder = QStringLiteral("/tmp/a//");
    StripTrailingBackslashes(folder);
    EXPECT_EQ(folder, QStringLiteral("/tmp/a"));
#endif
}

TEST(WordLists, SplitWords) {
    QStringList words;
    EXPECT_EQ(SplitWords(QStringLiteral(" the  a of "), QStringLiteral(" "), 0, words, false, 0, 0),
              3);
    EXPECT_EQ(words, (QStringList{"the", "a", "of"}));
    EXPECT_EQ(SplitWords(QStringLiteral("x, ab , c,d"), QStringLiteral(","), 2, words, true, 0, 2),
              1);
    EXPECT_EQ(words, (QStringList{"ab"}));
    EXPECT_EQ(SplitWords(QStringLiteral("a;b;c;d"), QStringLiteral(";"), 0, words, false, 2, 0), 2);
    EXPECT_EQ(words, (QStringList{"a", "b"}));
    EXPECT_EQ(SplitWords(QStringLiteral("a;;b;"), QStringLiteral(";"), 0, words, false, 0, 0), 3);
    EXPECT_EQ(words, (QStringList{"a", "", "b"}));
}

TEST(WordLists, JoinWords) {
    const QStringList words{"a", "b", "c"};
    EXPECT_EQ(JoinWords(words, QStringLiteral(" "), false, 0, -1), QStringLiteral("a b c"));
    EXPECT_EQ(JoinWords(words, QStringLiteral(" "), true, 0, -1), QStringLiteral("a b c "));
    EXPECT_EQ(JoinWords(words, QStringLiteral(", "), false, 1, 2), QStringLiteral("b, c"));
    EXPECT_EQ(JoinWords({}, QStringLiteral(","), false, 0, -1), QString());
}

TEST(WordLists, RemoveDuplicates) {
    QStringList words{"b", "A", "a", "", "b", "c", "B"};
    QStringList exact = words;
    EXPECT_EQ(RemoveDuplicates(words, true, 0, -1, true), 2);
    EXPECT_EQ(words, (QStringList{"b", "A", "c"}));
    EXPECT_EQ(RemoveDuplicates(exact, false, 0, -1, false), 4);
    EXPECT_EQ(exact, (QStringList{"b", "A", "a", "c", "B", "", ""}));
    QStringList empty{"", ""};
    EXPECT_EQ(RemoveDuplicates(empty, false, 0, -1, true), -1);
    EXPECT_EQ(empty.size(), 2);
}

}  // namespace
}  // namespace lxt

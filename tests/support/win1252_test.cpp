#include "support/win1252.h"

#include <gtest/gtest.h>

namespace lxt {
namespace {

TEST(Win1252, DecodesTheHighControlRangeAndKeepsUndefinedBytesAsControls) {
    EXPECT_EQ(Win1252Char(128), QChar(0x20AC));
    EXPECT_EQ(Win1252Char(133), QChar(0x2026));
    EXPECT_EQ(Win1252Char(137), QChar(0x2030));
    EXPECT_EQ(Win1252Char(145), QChar(0x2018));
    EXPECT_EQ(Win1252Char(146), QChar(0x2019));
    EXPECT_EQ(Win1252Char(151), QChar(0x2014));
    EXPECT_EQ(Win1252Char(159), QChar(0x0178));
    for (unsigned char b : {129, 141, 143, 144, 157}) EXPECT_EQ(Win1252Char(b), QChar(b)) << b;
    EXPECT_EQ(Win1252Char(65), QChar(u'A'));
    EXPECT_EQ(Win1252Char(233), QChar(0xE9));
}

TEST(Win1252, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
    const QString text = DecodeWin1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeWin1252(text), all);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(Win1252Byte(text[b]), b);
}

TEST(Win1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Win1252Byte(QChar(0x4E2D)), -1);
    EXPECT_EQ(Win1252Byte(QChar(0x0085)), -1);  // a control that byte 133 does not stand for
    EXPECT_EQ(Win1252Code(QChar(0x4E2D)), 63);
    EXPECT_EQ(EncodeWin1252(u"a\u4E2Db\u20AC"), QByteArray("a?b\x80"));
}

TEST(Win1252, AppendKeepsWhatIsAlreadyThere) {
    QString out = QStringLiteral("x");
    AppendWin1252(QByteArrayView("\x93hi\x94"), out);
    EXPECT_EQ(out, QString::fromUtf16(u"x\u201Chi\u201D"));
    AppendWin1252(QByteArrayView(), out);
    EXPECT_EQ(out.size(), 5);
}

}  // namespace
}  // namespace lxt

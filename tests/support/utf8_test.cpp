#include "support/utf8.h"

#include <gtest/gtest.h>

namespace lxt {
namespace {

struct Case {
    const char* bytes;
    const char16_t* text;
};

// U+FFFD, one for each invalid sequence.
constexpr char16_t R = kReplacementChar;

TEST(Utf8, DecodesValidTextAndReplacesEachInvalidSequenceOnce) {
    const char16_t stray[] = {u'a', R, R, u'b', 0};
    const char16_t cut[] = {u'x', R, u'y', 0};
    const char16_t cutAtEnd[] = {u'a', u'b', R, 0};
    const char16_t overLong[] = {R, R, u'/', 0};
    const char16_t surrogate[] = {R, R, R, 0};
    const char16_t tooHigh[] = {R, R, R, R, 0};
    const char16_t neverLead[] = {R, u'a', R, 0};
    const char16_t fourCut[] = {R, u'z', 0};
    const Case cases[] = {
        {"plain ASCII text longer than sixteen bytes",
         u"plain ASCII text longer than sixteen bytes"},
        {"caf\xC3\xA9 \xD0\xB6\xD1\x83\xD0\xBA \xCE\xB1\xCE\xB2 \xE4\xB8\xAD", u"café жук αβ 中"},
        {"\xF0\x9D\x92\x9C!", u"\U0001D49C!"},
        {"a\x80\xBF"
         "b",
         stray},                        // two stray continuation bytes
        {"x\xE2\x82y", cut},            // a three-byte sequence cut short
        {"ab\xF0\x9F\x98", cutAtEnd},   // the text ends inside a sequence
        {"\xC0\xAF/", overLong},        // an over-long "/" (C0 is never a lead)
        {"\xED\xA0\x80", surrogate},    // an encoded surrogate
        {"\xF4\x90\x80\x80", tooHigh},  // beyond U+10FFFF
        {"\xFF"
         "a\xF8",
         neverLead},
        {"\xF0\x9F\x98z", fourCut},
        {"\xEF\xBB\xBFhi", u"\uFEFFhi"},  // a byte-order mark is a character like any other
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeUtf8(QByteArrayView(c.bytes)), QStringView(c.text).toString()) << c.bytes;
    }
}

TEST(Utf8, AppendKeepsWhatIsAlreadyThereAndAgreesWithQtOnValidText) {
    QString out = QStringLiteral("x");
    AppendUtf8(QByteArrayView("\xD0\xB4\xD0\xB0"), out);
    EXPECT_EQ(out, QString::fromUtf16(u"xда"));
    QByteArray mixed;
    for (int n = 0; n < 50; ++n)
        mixed += "Text \xD1\x82\xD0\xB5\xD0\xBA\xD1\x81\xD1\x82 \xF0\x9F\x98\x80 ";
    EXPECT_EQ(DecodeUtf8(mixed), QString::fromUtf8(mixed));
}

}  // namespace
}  // namespace lxt

#include "support/native_file_name.h"

#include <gtest/gtest.h>

namespace lxt {
namespace {

// Every byte string decodes to a text that encodes back to exactly those bytes; valid UTF-8
// decodes as UTF-8, and each other byte becomes its own escape.
TEST(NativeFileNameTest, EveryNameRoundTripsAndValidUtf8IsItsText) {
    struct Case {
        const char* what;
        QByteArray bytes;
        QString text;
    };
    auto escape = [](char16_t byte) { return QString(QChar(char16_t(0xDC00 + byte))); };
    const Case cases[] = {
        {"ascii", "book.txt", QStringLiteral("book.txt")},
        {"two, three and four bytes", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
         QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80")},
        {"lone bytes", "bad\xff\xfe.txt", "bad" + escape(0xff) + escape(0xfe) + ".txt"},
        {"Latin-1 name", "r\xE9sum\xE9", "r" + escape(0xE9) + "sum" + escape(0xE9)},
        {"cut sequence", "a\xE2\x82", "a" + escape(0xE2) + escape(0x82)},
        {"overlong slash", "\xC0\xAF", escape(0xC0) + escape(0xAF)},
        {"encoded surrogate", "\xED\xB3\xBF", escape(0xED) + escape(0xB3) + escape(0xBF)},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80",
         escape(0xF4) + escape(0x90) + escape(0x80) + escape(0x80)},
        {"continuation first",
         "\x80"
         "a",
         escape(0x80) + "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString text = DecodeFileName(c.bytes);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(EncodeFileName(text), c.bytes);
    }
}

TEST(NativeFileNameTest, EscapesAreShownAsReplacementCharacters) {
    const QString name = DecodeFileName("o\xff\xF0\x9F\x98\x80.txt");
    EXPECT_EQ(ShownFileName(name), QString::fromUtf8("o\xEF\xBF\xBD\xF0\x9F\x98\x80.txt"));
    // A lone surrogate that no decoded name holds is written as U+FFFD.
    EXPECT_EQ(EncodeFileName(QString(QChar(char16_t(0xD800)))), QByteArray("\xEF\xBF\xBD"));
}

TEST(NativeFileNameTest, ArgumentsKeepTheirBytes) {
    const char* argv[] = {"lxt-count", "--output", "o\xff.txt"};
    const QStringList arguments = DecodeArguments(3, argv);
    ASSERT_EQ(arguments.size(), 3);
    EXPECT_EQ(arguments[1], QStringLiteral("--output"));
    EXPECT_EQ(EncodeFileName(arguments[2]), QByteArray("o\xff.txt"));
}

}  // namespace
}  // namespace lxt

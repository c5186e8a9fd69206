#include "input/docx_text_runs.h"

#include <gtest/gtest.h>

namespace lxt {
namespace {

// The entities of a text run: "&amp;" first, so that "&amp;lt;" gives "<"; the rest once.
TEST(TextRunPieceTest, EntitiesAreDecodedAsAmpersandFirstThenTheOthers) {
    const struct {
        const char* raw;
        const char* piece;
    } rows[] = {
        {">a &amp; b", "a & b"},
        {">&lt;tag&gt; &quot;q&quot; &apos;s&apos;", "<tag> \"q\" 's'"},
        {">&amp;lt; &amp;quot;", "< \""},
        {">&amp;amp; &amp;&lt;", "&amp; &<"},
        {">&AMP; &am &amp", "&AMP; &am &amp"},
        {">&&amp;&", "&&&"},
        {" xml:space=\"preserve\">&amp;", "&"},
        {">   ", " "},
        // Bytes that are not UTF-8 become U+FFFD, a sequence cut short by an entity too.
        {">a\xE2\x80&amp;\x99"
         "b\xFF",
         "a\xEF\xBF\xBD&\xEF\xBF\xBD"
         "b\xEF\xBF\xBD"},
        // A character to repair early in a long content, and at its very end.
        {">it\xE2\x80\x99s a long enough content for it", "it's a long enough content for it"},
        {">a long enough content, then a dash\xE2\x80\x94",
         "a long enough content, then a dash -- "},
        // Characters next to those the repairs change stay as they are; a C1 control goes.
        {">caf\xC3\xA9 \xC2\xA0\xE2\x80\xBB\xE2\x80\x8F\xC4\x8C",
         "caf\xC3\xA9 \xC2\xA0\xE2\x80\xBB\xE2\x80\x8F\xC4\x8C"},
        {">x\xC2\x9F"
         "y\xC4\x8D",
         "xyc"},
        // Characters of four bytes stay; the repairs apply after the entities.
        {">\xF0\x9F\x98\x80&quot;\xE2\x80\x9Cx\xE2\x80\x9D", "\xF0\x9F\x98\x80\"\"x\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TextRunPiece(row.raw), QByteArray(row.piece)) << row.raw;
    }
}

}  // namespace
}  // namespace lxt

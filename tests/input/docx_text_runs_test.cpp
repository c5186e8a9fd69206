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
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TextRunPiece(QString::fromLatin1(row.raw)), QString::fromLatin1(row.piece))
            << row.raw;
    }
}

}  // namespace
}  // namespace lxt

#include "support/character_entities.h"

#include <gtest/gtest.h>

namespace lxt::test {
namespace {

using namespace Qt::StringLiterals;

TEST(CharacterEntities, DecodeEntitiesFollowsTheTable) {
    EXPECT_EQ(DecodeEntities(u"&copy;&amp;lt;&nbsp;&#160;&#8212;&Yacute;&yuml;&quot;"_s),
              u"©&lt;  —Ýÿ\"");
    EXPECT_EQ(DecodeEntities(u"&EACUTE; &eacute"_s), u"&EACUTE; &eacute");
    EXPECT_EQ(DecodeEntities(u"a; & b;&auml; x"_s), u"a; & b;ä x");
    // Every entry of the table decodes to the character after its ";".
    const QStringView table(kEntityTable);
    EXPECT_EQ(table.size(), 612);
    int entries = 0;
    for (qsizetype at = table.indexOf(u'&'); at >= 0; ++entries) {
        const qsizetype semi = table.indexOf(u';', at);
        const QString entity = table.mid(at, semi - at + 1).toString();
        EXPECT_EQ(DecodeEntities(entity), QString(table[semi + 1])) << entity.toStdString();
        at = table.indexOf(u" &", semi);
        if (at >= 0) ++at;
    }
    EXPECT_EQ(entries, 67);
}

}  // namespace
}  // namespace lxt::test

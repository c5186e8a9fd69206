#include "scan/markup.h"

#include <gtest/gtest.h>

#include "scan/scan_fixture.h"

namespace lxt::test {
namespace {

class Markup : public ScanFixture {};

TEST_F(Markup, ModeFollowsTheExtension) {
    Mode(u"php"_s);
    EXPECT_TRUE(markers.characterEntities);
    EXPECT_EQ(markers.count, 8);
    EXPECT_EQ(markers.start[4], u"<?php");
    EXPECT_EQ(markers.end[7], u"");
    Mode(u"xml"_s);
    EXPECT_EQ(markers.count, 3);
    EXPECT_EQ(markers.start[0], u"<?xml");
    Mode(u"shtml"_s);
    EXPECT_TRUE(markers.characterEntities);
    EXPECT_EQ(markers.count, 5);
    EXPECT_EQ(markers.end[1], u"/script>");
    Mode(u"txt"_s);
    EXPECT_FALSE(markers.characterEntities);
    EXPECT_EQ(markers.count, 2);
    EXPECT_EQ(markers.start[0], u"/*");
    SetCommentMarkers(markers, u"");
    EXPECT_EQ(markers.count, 0);
    EXPECT_TRUE(markers.start[0].isEmpty());
    EXPECT_TRUE(markers.start[1].isEmpty());
}

TEST_F(Markup, MarkerPairsOfEveryMode) {
    const auto pairs = [this] {
        QStringList out;
        for (int i = 0; i < markers.count; ++i) {
            out << markers.start[size_t(i)] + u' ' + markers.end[size_t(i)];
        }
        return out.join(u" | "_s);
    };
    SetCommentMarkers(markers, kModeC);
    EXPECT_EQ(pairs(), u"/* */ | // "_s);
    SetCommentMarkers(markers, kModeXml);
    EXPECT_EQ(pairs(), u"<?xml ?> | <!-- --> | < >"_s);
    SetCommentMarkers(markers, kModeHtml);
    EXPECT_EQ(pairs(), u"& ; | <script /script> | <style /style> | <!-- --> | < >"_s);
    SetCommentMarkers(markers, kModePhp);
    EXPECT_EQ(
        pairs(),
        u"& ; | <script /script> | <style /style> | <!-- --> | <?php php | < > | /* */ | // "_s);
    // Pairs beyond those in use keep what they held.
    SetCommentMarkers(markers, kModeC);
    EXPECT_EQ(markers.start[7], u"//");
    EXPECT_EQ(markers.start[2], u"<style");
}

TEST_F(Markup, HtmlTagsAreSkippedAlsoAcrossLines) {
    Mode(u"html"_s);
    EXPECT_EQ(
        Count({u"<p class=\"intro\">Hello there</p> <a"_s, u"href=\"hidden.htm\">link</a>"_s}),
        u"hello:1 link:1 there:1");
}

TEST_F(Markup, ScriptBlocksAreSkippedWholeWhateverTheCase) {
    Mode(u"htm"_s);
    EXPECT_EQ(
        Count({u"before <SCRIPT type=x>var hidden"_s, u"more hidden code"_s, u"</Script> after"_s}),
        u"after:1 before:1");
}

TEST_F(Markup, CommentsKeepTheirDoubleHyphens) {
    Mode(u"html"_s);
    EXPECT_EQ(Count(u"one <!-- hidden -- text --> two"_s), u"one:1 two:1");
}

TEST_F(Markup, EntitiesAreDecodedInsideWords) {
    Mode(u"html"_s);
    EXPECT_EQ(Count(u"caf&eacute; black&amp;white fish&nbsp;chips &quot;quoted&quot;"_s),
              u"black:1 café:1 chips:1 fish:1 quoted:1 white:1");
}

TEST_F(Markup, UnknownEntityIsSkippedAsASpan) {
    Mode(u"html"_s);
    EXPECT_EQ(Count(u"pre&hellip;post &rarr; &#x201C; numeric"_s), u"numeric:1 post:1 pre:1");
}

TEST_F(Markup, AmpersandWithoutNearSemicolonIsASeparator) {
    Mode(u"html"_s);
    EXPECT_EQ(Count(u"fish&chips and more; salt & pepper;"_s),
              u"and:1 chips:1 fish:1 more:1 pepper:1 salt:1");
    ResetWordTable(run);
    EXPECT_EQ(Count(u"tom&abcdefghijklmnopqrstuvwxyz; jerry"_s),
              u"abcdefghijklmnopqrstuvwxyz:1 jerry:1 tom:1");
}

TEST_F(Markup, EntityTest) {
    EXPECT_EQ(IsEntityAt(u"&amp; "), 5);
    EXPECT_EQ(IsEntityAt(u"&#12;"), 1);
    EXPECT_EQ(IsEntityAt(u"&a;"), 0);  // three characters
    EXPECT_EQ(IsEntityAt(u"& b; "), 0);
    EXPECT_EQ(IsEntityAt(u"&1ab; "), 0);
    EXPECT_EQ(IsEntityAt(u"&abcdefghijklmnopqr;"), 20);
    EXPECT_EQ(IsEntityAt(u"&abcdefghijklmnopqrs;"), 0);
    EXPECT_EQ(IsEntityAt(u"&abcdef"), 0);
    EXPECT_EQ(IsEntityAt(u"x&amp;"), 0);
}

TEST_F(Markup, CdataContentIsCountedInXml) {
    Mode(u"xml"_s);
    EXPECT_EQ(Count({u"<?xml version=\"1.0\"?><doc><![CDATA[inside text]]></doc>"_s,
                     u"<note lang=\"en\">outside</note>"_s}),
              u"inside:1 outside:1 text:1");
}

TEST_F(Markup, CdataIsATagInHtml) {
    Mode(u"html"_s);
    EXPECT_EQ(Count({u"<![CDATA[x>y]]> visible"_s, u"words"_s}), u"visible:1 words:1");
}

TEST_F(Markup, PhpOpeningSkipsOnlyItself) {
    Mode(u"php"_s);
    EXPECT_EQ(Count(u"<?php echo $greeting; // note"_s), u"echo:1 greeting:1");
}

TEST_F(Markup, NumericReferenceTakesFollowingLettersAlong) {
    Mode(u"html"_s);
    EXPECT_EQ(Count(u"a &#1234;word next"_s), u"next:1");
}

TEST_F(Markup, SpanContinuedOnALineStartingWithAReference) {
    Mode(u"html"_s);
    EXPECT_EQ(Count({u"<script>"_s, u"&#65; hidden"_s, u"</script> shown"_s}), u"shown:1");
}

TEST_F(Markup, LineCommentsInPhp) {
    Mode(u"php"_s);
    EXPECT_EQ(Count({u"code /* block"_s, u"comment */ visible // gone"_s}), u"code:1 visible:1");
}

}  // namespace
}  // namespace lxt::test

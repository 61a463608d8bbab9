// The sitemap format of the help's contents and index.
#include "help/help_contents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rovanta {
namespace {

struct SitemapCase {
    const char* name;
    std::string text;
    std::vector<HelpEntry> entries;
};

class HelpSitemap : public testing::TestWithParam<SitemapCase> {};

TEST_P(HelpSitemap, ReadsTheEntries)
{
    EXPECT_EQ(parseSitemap(GetParam().text), GetParam().entries);
}

std::string item(const std::string& name, const std::string& local)
{
    return R"(<LI><OBJECT type="text/sitemap"><param name="Name" value=")" + name + R"("><param name="Local" value=")" +
           local + R"("></OBJECT>)";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpSitemap,
    testing::Values(
        SitemapCase{"Nesting",
                    "<UL>" + item("A", "a.htm") + "<UL>" + item("B", "b.htm") + "<UL>" + item("C", "c.htm") +
                        "</UL></UL>" + item("D", "d.htm") + "</UL>",
                    {{"A", "a.htm", 0}, {"B", "b.htm", 1}, {"C", "c.htm", 2}, {"D", "d.htm", 0}}},
        SitemapCase{
            "MissingEndTags",
            R"(<ul><li><object type="text/sitemap"><param name="Name" value="A"><param name="Local" value="a.htm">
                       <ul><li><object type="text/sitemap"><param name="Name" value="B">)",
            {{"A", "a.htm", 0}, {"B", "", 1}}},
        SitemapCase{"AnyCaseAndQuoting",
                    "<Ul><lI><Object TYPE='Text/Sitemap'><PARAM NAME=name VALUE=HTML/Eng/Maps.htm#Scale>"
                    "<param Name='LOCAL' Value = 'HTML\\Eng\\Maps.htm' /></object></uL>",
                    {{"HTML/Eng/Maps.htm#Scale", "HTML\\Eng\\Maps.htm", 0}}},
        SitemapCase{"Entities",
                    "<UL>" +
                        item("Maps &amp; Tours &lt;1:50000&gt; &quot;x&quot; &#228;&#x2013;&uuml;", "a&amp;b.htm") +
                        item("&bogus; & &#; &#xZZ; &#1114112;", "x.htm") + "</UL>",
                    {{"Maps & Tours <1:50000> \"x\" \xC3\xA4\xE2\x80\x93\xC3\xBC", "a&b.htm", 0},
                     {"&bogus; & &#; &#xZZ; \xEF\xBF\xBD", "x.htm", 0}}},
        SitemapCase{"Latin1Text",
                    "<UL>" +
                        item("M\xE4rz \xDC"
                             "bersicht",
                             "m.htm") +
                        "</UL>",
                    {{"M\xC3\xA4rz \xC3\x9C"
                      "bersicht",
                      "m.htm", 0}}},
        SitemapCase{"Utf8TextStays", "<UL>" + item("M\xC3\xA4rz", "m.htm") + "</UL>", {{"M\xC3\xA4rz", "m.htm", 0}}},
        SitemapCase{"OtherObjectsCommentsAndStrayText",
                    R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN"><HEAD><meta name="GENERATOR" content="x"></HEAD>
                       <OBJECT type="text/site properties"><param name="Name" value="Not an entry"></OBJECT>
                       <!-- <LI><OBJECT type="text/sitemap"><param name="Name" value="Commented"></OBJECT> -->
                       a < b text <UL> stray )" +
                        item("A", "a.htm") + "</LI> more text </UL></UL></UL>" + item("B", "b.htm"),
                    {{"A", "a.htm", 0}, {"B", "b.htm", 0}}},
        SitemapCase{"IndexKeywordWithSeveralTopics",
                    R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Scale">
                       <param name="Name" value="Maps"><param name="Local" value="Maps.htm">
                       <param name="Name" value="Tours"><param name="Local" value="Tours.htm"></OBJECT></UL>)",
                    {{"Scale", "Maps.htm", 0}}}),
    [](const testing::TestParamInfo<SitemapCase>& info) { return std::string(info.param.name); });

TEST(HelpSitemapPath, LocalValuesBecomeObjectPaths)
{
    EXPECT_EQ(helpPagePath("HTML/Eng/Maps.htm"), "/HTML/Eng/Maps.htm");
    EXPECT_EQ(helpPagePath("/HTML/Eng/Maps.htm#Scale"), "/HTML/Eng/Maps.htm#Scale");
    EXPECT_EQ(helpPagePath("HTML\\Eng\\Maps.htm"), "/HTML/Eng/Maps.htm");
    EXPECT_EQ(helpPagePath("mk:@MSITStore:RovantaENG.chm::/HTML/Eng/Maps.htm"), "/HTML/Eng/Maps.htm");
    EXPECT_EQ(helpPagePath(""), "");
}

} // namespace
} // namespace rovanta

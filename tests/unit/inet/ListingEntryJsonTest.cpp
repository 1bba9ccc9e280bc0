#include "platform/inet/ListingEntryJson.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

ListingEntry File(std::string name)
{
    ListingEntry e;
    e.name = std::move(name);
    e.size = 12;
    e.sizeKnown = true;
    e.modified = 1796696880;   // 2026-12-08T02:28:00Z
    e.timeKnown = true;
    return e;
}

TEST(ListingEntryJson, WritesAFileOnOneLine)
{
    EXPECT_EQ(ListingEntryToJson(File("a.txt")),
              R"({"name":"a.txt","size":12,"dir":false,"link":false,"time":"2026-12-08T02:28:00Z"})");
}

TEST(ListingEntryJson, UnknownSizeAndTimeAreNull)
{
    ListingEntry e;
    e.name = "d";
    e.isDirectory = true;
    EXPECT_EQ(ListingEntryToJson(e), R"({"name":"d","size":null,"dir":true,"link":false,"time":null})");
}

TEST(ListingEntryJson, LinksCarryTheirTarget)
{
    ListingEntry e = File("link");
    e.isLink = true;
    e.linkTarget = "a \"quoted\" target";
    EXPECT_EQ(ListingEntryToJson(e),
              R"({"name":"link","size":12,"dir":false,"link":true,"target":"a \"quoted\" target","time":"2026-12-08T02:28:00Z"})");
}

TEST(ListingEntryJson, EscapesNamesForJson)
{
    const auto nameJson = [](std::string name) {
        const std::string json = ListingEntryToJson(File(std::move(name)));
        const std::size_t end = json.find(",\"size\"");
        return json.substr(8, end - 8);
    };
    EXPECT_EQ(nameJson("q\"b\\s"), R"("q\"b\\s")");
    EXPECT_EQ(nameJson("line\nbreak\r\ttab"), R"("line\u000Abreak\u000D\u0009tab")");
    EXPECT_EQ(nameJson("nul\0x"s), R"("nul\u0000x")");
    EXPECT_EQ(nameJson("\x1b\x7f"), R"("\u001B\u007F")");
    // Valid UTF-8 passes as it is, up to four-byte sequences.
    EXPECT_EQ(nameJson("\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80"), "\"\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80\"");
    // Bytes outside valid UTF-8 (stray, truncated, overlong, surrogate) become \u00XX.
    EXPECT_EQ(nameJson("\xFF"), R"("\u00FF")");
    EXPECT_EQ(nameJson("a\xC3"), R"("a\u00C3")");
    EXPECT_EQ(nameJson("\xC0\xAF"), R"("\u00C0\u00AF")");
    EXPECT_EQ(nameJson("\xED\xA0\x80"), R"("\u00ED\u00A0\u0080")");
    EXPECT_EQ(nameJson("\xF4\x90\x80\x80"), R"("\u00F4\u0090\u0080\u0080")");
}

TEST(ListingEntryJson, WritesTimesBefore1970AndAfter2038)
{
    ListingEntry early = File("e");
    early.modified = -14182980;
    EXPECT_NE(ListingEntryToJson(early).find(R"("time":"1969-07-20T20:17:00Z")"), std::string::npos);
    ListingEntry late = File("l");
    late.modified = 4107542400;
    EXPECT_NE(ListingEntryToJson(late).find(R"("time":"2100-03-01T00:00:00Z")"), std::string::npos);
}

TEST(ListingEntryJson, WritesSizesOverFourGigabytes)
{
    ListingEntry e = File("big");
    e.size = 5000000000;
    EXPECT_NE(ListingEntryToJson(e).find(R"("size":5000000000,)"), std::string::npos);
}

}  // namespace

#include "platform/inet/ListingParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ListingEntry MustParse(std::string_view line)
{
    std::optional<ListingEntry> entry = ParseDosListingLine(line);
    EXPECT_TRUE(entry.has_value()) << "line: " << line;
    return entry.value_or(ListingEntry{});
}

TEST(DosListing, ReadsDirectoryWithTwoDigitYear)
{
    ListingEntry e = MustParse("01-16-02  11:14AM       <DIR>          epsgroup");
    EXPECT_EQ(e.name, "epsgroup");
    EXPECT_TRUE(e.isDirectory);
    EXPECT_FALSE(e.sizeKnown);
    EXPECT_TRUE(e.timeKnown);
    EXPECT_EQ(e.modified, 1011179640);   // 2002-01-16T11:14:00Z
}

TEST(DosListing, ReadsFileWithFourDigitYear)
{
    ListingEntry e = MustParse("01-16-2002  11:14PM  1234 file");
    EXPECT_EQ(e.name, "file");
    EXPECT_FALSE(e.isDirectory);
    EXPECT_TRUE(e.sizeKnown);
    EXPECT_EQ(e.size, 1234u);
    EXPECT_EQ(e.modified, 1011222840);   // 2002-01-16T23:14:00Z
}

TEST(DosListing, TwelveOClockIsMidnightOrNoon)
{
    EXPECT_EQ(MustParse("01-16-02  12:05AM  1 a").modified, 1011139500);   // 00:05
    EXPECT_EQ(MustParse("01-16-02  12:05PM  1 a").modified, 1011182700);   // 12:05
    EXPECT_EQ(MustParse("01-16-02  11:14am  1 a").modified, 1011179640);
    EXPECT_EQ(MustParse("01-16-02  11:14 PM  1 a").modified, 1011222840);
    // Some servers use a 24-hour clock.
    EXPECT_EQ(MustParse("01-16-02  23:14  1 a").modified, 1011222840);
}

TEST(DosListing, TwoDigitYearsFrom70AreTwentiethCentury)
{
    EXPECT_EQ(MustParse("05-05-99  01:02AM  1 a").modified, 925866120);   // 1999-05-05T01:02Z
    EXPECT_EQ(MustParse("01-01-70  12:00AM  1 a").modified, 0);
    EXPECT_EQ(MustParse("01-01-69  12:00AM  1 a").modified, 3124224000);  // 2069-01-01
    EXPECT_EQ(MustParse("01-01-00  12:00AM  1 a").modified, 946684800);   // 2000-01-01
}

TEST(DosListing, KeepsSpacesInsideNamesAndLargeSizes)
{
    ListingEntry e = MustParse("12-08-26  03:16AM           5000000000 my big file.iso");
    EXPECT_EQ(e.name, "my big file.iso");
    EXPECT_EQ(e.size, 5000000000u);

    ListingEntry dir = MustParse("01-16-02  11:14AM       <dir>          Program Files");
    EXPECT_TRUE(dir.isDirectory);
    EXPECT_EQ(dir.name, "Program Files");
}

TEST(DosListing, RefusesLinesThatAreNoEntries)
{
    for (std::string_view line : {
             "",
             "01-16-02  11:14AM       <DIR>",            // no name
             "01-16-02  11:14AM       <DIR>          ",  // only padding
             "13-16-02  11:14AM  1 bad-month",
             "02-30-02  11:14AM  1 bad-day",
             "01-16-02  13:14PM  1 bad-hour",
             "01-16-02  00:14AM  1 bad-hour",
             "01-16-02  11:61AM  1 bad-minute",
             "01-16-002  11:14AM  1 bad-year",
             "01:16:02  11:14AM  1 bad-separator",
             "01-16-02  11:14AM  12x bad-size",
             "01-16-02  11:14AM  <FILE> bad-kind",
             "-rw-r--r--    1 0        0              12 Dec 08 03:16 a.txt",
             "Volume in drive C has no label",
         })
        EXPECT_FALSE(ParseDosListingLine(line)) << "line: " << line;
}

TEST(DosListing, SurvivesEveryPrefixOfARealLine)
{
    const std::string line = "01-16-2002  11:14PM       <DIR>          a name";
    for (std::size_t length = 0; length <= line.size(); ++length) {
        const std::string prefix = line.substr(0, length);
        std::optional<ListingEntry> entry = ParseDosListingLine(prefix);
        if (entry) {
            EXPECT_FALSE(entry->name.empty());
        }
    }
}

}  // namespace

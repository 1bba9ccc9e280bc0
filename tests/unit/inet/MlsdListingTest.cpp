#include "platform/inet/ListingParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ListingEntry MustParse(std::string_view line)
{
    std::optional<ListingEntry> entry = ParseMlsdLine(line);
    EXPECT_TRUE(entry.has_value()) << "line: " << line;
    return entry.value_or(ListingEntry{});
}

TEST(MlsdListing, ReadsPyftpdlibLines)
{
    // Captured from pyftpdlib 1.5.7 at 2026-12-08T03:16:22Z.
    ListingEntry a = MustParse("modify=20261208031622;perm=radfwMT;size=12;type=file;unique=fe00ga720ed; a.txt");
    EXPECT_EQ(a.name, "a.txt");
    EXPECT_TRUE(a.sizeKnown);
    EXPECT_EQ(a.size, 12u);
    EXPECT_FALSE(a.isDirectory);
    EXPECT_FALSE(a.isCurrentOrParent);
    EXPECT_TRUE(a.timeKnown);
    EXPECT_EQ(a.modified, 1796699782);

    ListingEntry dir = MustParse("modify=20261208031622;perm=eldfmMTcp;size=4096;type=dir;unique=fe00ga720ef; dir with space");
    EXPECT_EQ(dir.name, "dir with space");
    EXPECT_TRUE(dir.isDirectory);

    // The name is what follows the first blank: two of the three blanks belong to it.
    ListingEntry leading = MustParse("modify=20261208031622;perm=radfwMT;size=2;type=file;unique=fe00ga720f1;   leading.txt");
    EXPECT_EQ(leading.name, "  leading.txt");

    ListingEntry big = MustParse("modify=20261208031622;perm=radfwMT;size=5000000000;type=file;unique=fe00ga720f4; big.bin");
    EXPECT_EQ(big.size, 5000000000u);

    ListingEntry old = MustParse("modify=20190304050600;perm=radfwMT;size=0;type=file;unique=fe00ga720f5; old.txt");
    EXPECT_EQ(old.modified, 1551675960);   // 2019-03-04T05:06:00Z
}

TEST(MlsdListing, FactNamesAndTypesIgnoreCase)
{
    ListingEntry e = MustParse("Type=DIR;Size=96;Modify=20240101120000; Docs");
    EXPECT_TRUE(e.isDirectory);
    EXPECT_EQ(e.size, 96u);
    EXPECT_EQ(e.modified, 1704110400);
}

TEST(MlsdListing, MarksCurrentAndParentDirectories)
{
    ListingEntry cdir = MustParse("type=cdir;modify=20240101120000; .");
    EXPECT_TRUE(cdir.isCurrentOrParent);
    EXPECT_TRUE(cdir.isDirectory);
    ListingEntry pdir = MustParse("type=pdir;modify=20240101120000; ..");
    EXPECT_TRUE(pdir.isCurrentOrParent);
    ListingEntry named = MustParse("type=cdir; /home/user");
    EXPECT_TRUE(named.isCurrentOrParent);
}

TEST(MlsdListing, ReadsSymbolicLinks)
{
    ListingEntry target = MustParse("type=OS.unix=slink:/srv/data;modify=20240101120000; data");
    EXPECT_TRUE(target.isLink);
    EXPECT_EQ(target.name, "data");
    EXPECT_EQ(target.linkTarget, "/srv/data");
    ListingEntry bare = MustParse("type=OS.unix=symlink; other");
    EXPECT_TRUE(bare.isLink);
    EXPECT_EQ(bare.linkTarget, "");
}

TEST(MlsdListing, UsesSizdWhenNoSizeIsGiven)
{
    EXPECT_EQ(MustParse("type=dir;sizd=4096; d").size, 4096u);
    EXPECT_EQ(MustParse("type=file;sizd=4096;size=7; f").size, 7u);
    ListingEntry none = MustParse("type=file; f");
    EXPECT_FALSE(none.sizeKnown);
    EXPECT_FALSE(none.timeKnown);
}

TEST(MlsdListing, AcceptsFractionsOfSeconds)
{
    EXPECT_EQ(MustParse("type=file;modify=20240101120000.123; f").modified, 1704110400);
    EXPECT_EQ(MustParse("type=file;modify=20240101120000.5; f").modified, 1704110400);
}

TEST(MlsdListing, IgnoresUnknownFactsButRefusesMalformedOnes)
{
    ListingEntry e = MustParse("UNIX.mode=0644;UNIX.owner=1000;x-weird=;size=3;type=file; f");
    EXPECT_EQ(e.size, 3u);
    EXPECT_EQ(e.name, "f");
    // MLSD is meant to be exact: a line with a broken fact is refused, never half read.
    for (std::string_view line : {
             "type=file;=nokey;size=3; f",               // a fact without a name
             "type=file;novalue;size=3; f",              // a fact without '='
             "type=file;;size=3; f",                     // an empty fact
             "type=file;size=3 f",                       // facts not ended by ';'
             "type=;size=3; f",                          // an empty type
             "type=file;size=12x; g",                    // a size that is no number
             "type=file;size=-1; g",
             "type=dir;sizd=big; g",
             "type=file;modify=2024010112000; h",        // too short
             "type=file;modify=20241301120000; h",       // month 13
             "type=file;modify=20240230120000; h",       // 30 February
             "type=file;modify=20240101250000; h",       // hour 25
             "type=file;modify=20240101120000x; h",
             "type=file;modify=20240101120000.; h",
             "type=file;modify=2024010112000a; h",
         })
        EXPECT_FALSE(ParseMlsdLine(line)) << "line: " << line;
}

TEST(MlsdListing, KeepsTheNameByteForByte)
{
    // Everything after the first blank: blanks and tabs at either end stay.
    EXPECT_EQ(MustParse("type=file;size=1;  two leading").name, " two leading");
    EXPECT_EQ(MustParse("type=file;size=1; trailing  ").name, "trailing  ");
    EXPECT_EQ(MustParse("type=file;size=1; \ttabbed\t").name, "\ttabbed\t");
    EXPECT_EQ(MustParse("type=file;size=1; in\tside").name, "in\tside");
}

TEST(MlsdListing, ReadsLinkTypesOfAnySpelling)
{
    for (std::string_view type : {"OS.unix=slink:/srv/t", "os.UNIX=SLINK:/srv/t", "OS.unix=symlink:/srv/t",
                                  "OS.other=link:/srv/t"}) {
        ListingEntry link = MustParse("type=" + std::string(type) + "; l");
        EXPECT_TRUE(link.isLink) << type;
        EXPECT_EQ(link.linkTarget, "/srv/t") << type;
        EXPECT_FALSE(link.isDirectory) << type;
    }
    EXPECT_FALSE(MustParse("type=OS.unix=blkdev; sda").isLink);
}

TEST(MlsdListing, NameMayHoldSemicolonsAndEquals)
{
    EXPECT_EQ(MustParse("type=file;size=1; a=b;c d").name, "a=b;c d");
}

TEST(MlsdListing, RefusesLinesThatAreNoEntries)
{
    for (std::string_view line : {
             "",
             "type=file;size=1;",           // no blank, so no name
             "type=file;size=1; ",          // blank but no name
             " name",                       // no facts
             "hello world",                 // no fact has a value
             ";;; name",
             "-rw-r--r--    1 0        0              12 Dec 08 03:16 a.txt",
         })
        EXPECT_FALSE(ParseMlsdLine(line)) << "line: " << line;
}

TEST(MlsdListing, SurvivesEveryPrefixOfARealLine)
{
    const std::string line = "modify=20261208031622.123;Type=OS.unix=slink:/x;sizd=4096;size=12; a b";
    for (std::size_t length = 0; length <= line.size(); ++length) {
        const std::string prefix = line.substr(0, length);
        std::optional<ListingEntry> entry = ParseMlsdLine(prefix);
        if (entry) {
            EXPECT_FALSE(entry->name.empty());
        }
    }
}

}  // namespace

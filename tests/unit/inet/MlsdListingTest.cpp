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

TEST(MlsdListing, IgnoresUnknownAndMalformedFacts)
{
    ListingEntry e = MustParse("UNIX.mode=0644;UNIX.owner=1000;x-weird=;=nokey;novalue;size=3;type=file; f");
    EXPECT_EQ(e.size, 3u);
    EXPECT_EQ(e.name, "f");
    // A bad value loses only that fact.
    ListingEntry badSize = MustParse("size=12x;modify=20240101120000;type=file; g");
    EXPECT_FALSE(badSize.sizeKnown);
    EXPECT_EQ(badSize.modified, 1704110400);
    for (std::string_view modify : {"2024010112000", "20241301120000", "20240230120000", "20240101250000",
                                    "20240101120000x", "20240101120000.", "2024010112000a"}) {
        ListingEntry badTime = MustParse("type=file;modify=" + std::string(modify) + "; h");
        EXPECT_FALSE(badTime.timeKnown) << modify;
    }
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

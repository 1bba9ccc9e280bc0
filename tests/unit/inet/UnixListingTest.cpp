#include "platform/inet/ListingParser.h"

#include "ListingRows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The moment the vsftpd and pyftpdlib lines below were captured: 2026-12-08T03:16:29Z.
constexpr std::int64_t kCaptureTime = 1796699789;
constexpr std::int64_t kDec08At0316 = 1796699760;   // 2026-12-08T03:16:00Z

ListingEntry MustParse(std::string_view line, std::int64_t now = kCaptureTime)
{
    std::optional<ListingEntry> entry = ParseUnixListingLine(line, now);
    EXPECT_TRUE(entry.has_value()) << "line: " << line;
    return entry.value_or(ListingEntry{});
}

TEST(UnixListing, ReadsVsftpdLines)
{
    // Captured from vsftpd 3.0.3: numeric owners, zero-padded day, a year for old files.
    ListingEntry a = MustParse("-rw-r--r--    1 0        0              12 Dec 08 03:16 a.txt");
    EXPECT_EQ(a.name, "a.txt");
    EXPECT_EQ(a.size, 12u);
    EXPECT_TRUE(a.sizeKnown);
    EXPECT_FALSE(a.isDirectory);
    EXPECT_FALSE(a.isLink);
    EXPECT_TRUE(a.timeKnown);
    EXPECT_EQ(a.modified, kDec08At0316);

    ListingEntry dir = MustParse("drwxr-xr-x    2 0        0            4096 Dec 08 03:16 dir with space");
    EXPECT_EQ(dir.name, "dir with space");
    EXPECT_TRUE(dir.isDirectory);

    ListingEntry old = MustParse("-rw-r--r--    1 0        0               0 Mar 04  2019 old.txt");
    EXPECT_EQ(old.name, "old.txt");
    EXPECT_EQ(old.modified, 1551657600);   // 2019-03-04T00:00:00Z

    ListingEntry future = MustParse("-rw-r--r--    1 0        0               0 Feb 08  2027 future.txt");
    EXPECT_EQ(future.modified, 1802044800);   // 2027-02-08T00:00:00Z

    ListingEntry big = MustParse("-rw-r--r--    1 0        0        5000000000 Dec 08 03:16 big.bin");
    EXPECT_EQ(big.size, 5000000000u);

    ListingEntry leading = MustParse("-rw-r--r--    1 0        0               2 Dec 08 03:16   leading.txt");
    EXPECT_EQ(leading.name, "  leading.txt");

    ListingEntry unicode = MustParse("-rw-r--r--    1 0        0               2 Dec 08 03:16 \xC3\xBCn\xC3\xAF"
                                     "c\xC3\xB8" "d\xC3\xA9.txt");
    EXPECT_EQ(unicode.name, "\xC3\xBCn\xC3\xAF" "c\xC3\xB8" "d\xC3\xA9.txt");

    ListingEntry link = MustParse("lrwxrwxrwx    1 0        0              20 Dec 08 03:16 spaced link -> name with spaces.txt");
    EXPECT_TRUE(link.isLink);
    EXPECT_EQ(link.name, "spaced link");
    EXPECT_EQ(link.linkTarget, "name with spaces.txt");

    // vsftpd lists a device with size 0 rather than its numbers.
    ListingEntry device = MustParse("crw-r--r--    1 0        0               0 Dec 08 03:16 cdev");
    EXPECT_EQ(device.name, "cdev");

    ListingEntry fifo = MustParse("prw-r--r--    1 0        0               0 Dec 08 03:16 fifo");
    EXPECT_EQ(fifo.name, "fifo");
    EXPECT_FALSE(fifo.isDirectory);
}

TEST(UnixListing, ReadsPyftpdlibLines)
{
    // Captured from pyftpdlib 1.5.7: owner names, three-space link column.
    ListingEntry a = MustParse("-rw-r--r--   1 root     root           12 Dec 08 03:16 a.txt");
    EXPECT_EQ(a.name, "a.txt");
    EXPECT_EQ(a.size, 12u);
    EXPECT_EQ(a.modified, kDec08At0316);

    ListingEntry link = MustParse("lrwxrwxrwx   1 root     root            5 Dec 08 03:16 link -> a.txt");
    EXPECT_TRUE(link.isLink);
    EXPECT_EQ(link.name, "link");
    EXPECT_EQ(link.linkTarget, "a.txt");

    ListingEntry leading = MustParse("-rw-r--r--   1 root     root            2 Dec 08 03:16   leading.txt");
    EXPECT_EQ(leading.name, "  leading.txt");

    ListingEntry old = MustParse("-rw-r--r--   1 root     root            0 Mar 04  2019 old.txt");
    EXPECT_EQ(old.modified, 1551657600);

    // pyftpdlib gives a time for a date two months ahead; by the one-day rule it is this year's.
    ListingEntry ahead = MustParse("-rw-r--r--   1 root     root            0 Feb 08 10:00 future.txt");
    EXPECT_EQ(ahead.modified, 1770544800);   // 2026-02-08T10:00:00Z
}

TEST(UnixListing, TimeWithoutYearBelongsToThisYearOrTheOneBefore)
{
    constexpr std::int64_t kNewYearHalfPastMidnight = 1767227400;   // 2026-01-01T00:30:00Z
    // Five minutes before now lies in the old year.
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 Dec 31 23:59 a", kNewYearHalfPastMidnight).modified,
              1767225540);   // 2025-12-31T23:59:00Z
    // Less than a day ahead is taken as this year (clocks differ, zones differ).
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 Jan 01 23:00 a", kNewYearHalfPastMidnight).modified,
              1767308400);   // 2026-01-01T23:00:00Z
    // More than a day ahead is last year's.
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 Jan 02 10:00 a", kNewYearHalfPastMidnight).modified,
              1735812000);   // 2025-01-02T10:00:00Z
}

TEST(UnixListing, LeapDayWithoutYearGoesToTheLastLeapYear)
{
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 Feb 29 12:00 a").modified, 1709208000);   // 2024-02-29
    constexpr std::int64_t kMarch2028 = 1835481600;   // 2028-03-01T00:00:00Z
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 Feb 29 12:00 a", kMarch2028).modified, 1835438400);
}

TEST(UnixListing, DatesBefore1970AndAfter2038)
{
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 Jul 20  1969 moon").modified, -14256000);
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 Jan 01  1900 old").modified, -2208988800);
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 Mar 01  2100 far").modified, 4107542400);
}

TEST(UnixListing, ReadsOwnerColumnVariants)
{
    ListingEntry noGroup = MustParse("-rw-r--r--   1 owner     12 Dec 08 02:28 a");
    EXPECT_EQ(noGroup.size, 12u);
    EXPECT_EQ(noGroup.name, "a");

    ListingEntry noLinkCount = MustParse("-rw-r--r-- owner group 12 Dec 08 02:28 b");
    EXPECT_EQ(noLinkCount.size, 12u);
    EXPECT_EQ(noLinkCount.name, "b");

    ListingEntry singleSpaces = MustParse("-rw-r--r-- 1 owner group 12 Dec 8 02:28 c d");
    EXPECT_EQ(singleSpaces.size, 12u);
    EXPECT_EQ(singleSpaces.name, "c d");
    EXPECT_EQ(singleSpaces.modified, 1796696880);   // 2026-12-08T02:28:00Z
}

TEST(UnixListing, ReadsIsoDates)
{
    ListingEntry e = MustParse("-rw-r--r--   1 owner group     12 2024-01-05 13:45 name");
    EXPECT_EQ(e.name, "name");
    EXPECT_EQ(e.size, 12u);
    EXPECT_EQ(e.modified, 1704462300);
    EXPECT_EQ(MustParse("-rw-r--r-- 1 o g 12 2024-01-05 13:45:07 s").modified, 1704462307);
}

TEST(UnixListing, MonthNamesInAnyCase)
{
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 DEC 08 03:16 a").modified, kDec08At0316);
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 dec 08 03:16 a").modified, kDec08At0316);
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 1 dEc 8 03:16 a").modified, kDec08At0316);
}

TEST(UnixListing, AcceptsExtendedPermissionMarkers)
{
    EXPECT_EQ(MustParse("-rw-r--r--+ 1 u g 7 Dec 08 03:16 acl").name, "acl");
    EXPECT_TRUE(MustParse("drwxr-xr-x@ 3 u staff 96 Dec 08 03:16 xattr").isDirectory);
    EXPECT_EQ(MustParse("-rw-r--r--. 1 u g 7 Dec 08 03:16 selinux").name, "selinux");
    EXPECT_EQ(MustParse("srwxrwxrwx 1 u g 0 Dec 08 03:16 socket").name, "socket");
    EXPECT_EQ(MustParse("-rwsr-sr-t 1 u g 0 Dec 08 03:16 sticky").name, "sticky");
}

TEST(UnixListing, DeviceNumbersAreNoSize)
{
    ListingEntry spaced = MustParse("crw-r--r--   1 root     root       4,  64 Dec 08 03:16 tty0");
    EXPECT_EQ(spaced.name, "tty0");
    EXPECT_FALSE(spaced.sizeKnown);
    EXPECT_EQ(spaced.modified, kDec08At0316);

    ListingEntry joined = MustParse("brw-rw---- 1 root disk 8,0 Mar  4  2019 sda");
    EXPECT_EQ(joined.name, "sda");
    EXPECT_FALSE(joined.sizeKnown);
    EXPECT_EQ(joined.modified, 1551657600);
}

TEST(UnixListing, SizesUseAllSixtyFourBits)
{
    EXPECT_EQ(MustParse("-rw-r--r-- 1 u g 18446744073709551615 Dec 08 03:16 huge").size,
              18446744073709551615u);
    // One more does not fit: that column is no size, so the line is no entry.
    EXPECT_FALSE(ParseUnixListingLine("-rw-r--r-- 1 u g 18446744073709551616 Dec 08 03:16 x", kCaptureTime));
}

TEST(UnixListing, SplitsLinksAtTheFirstArrowOnly)
{
    ListingEntry twice = MustParse("lrwxrwxrwx 1 u g 5 Dec 08 03:16 a -> b -> c");
    EXPECT_EQ(twice.name, "a");
    EXPECT_EQ(twice.linkTarget, "b -> c");

    ListingEntry noTarget = MustParse("lrwxrwxrwx 1 u g 5 Dec 08 03:16 bare");
    EXPECT_TRUE(noTarget.isLink);
    EXPECT_EQ(noTarget.name, "bare");
    EXPECT_EQ(noTarget.linkTarget, "");

    // Only links carry a target; in a file's name an arrow is just part of the name.
    ListingEntry file = MustParse("-rw-r--r-- 1 u g 5 Dec 08 03:16 x -> y");
    EXPECT_FALSE(file.isLink);
    EXPECT_EQ(file.name, "x -> y");
}

TEST(UnixListing, NameThatLooksLikeADateStaysTheName)
{
    ListingEntry e = MustParse("-rw-r--r-- 1 u g 12 Dec 08 03:16 Jan 01  2020 report");
    EXPECT_EQ(e.name, "Jan 01  2020 report");
    EXPECT_EQ(e.modified, kDec08At0316);
}

TEST(UnixListing, RefusesLinesThatAreNoEntries)
{
    for (std::string_view line : {
             "total 32",
             "",
             "-rw-r--r-- 1 u g 12 Dec 08 03:16",              // no name
             "-rw-r--r-- 1 u g 12 Dec 08 03:16 ",             // separator but no name
             "-rw-r--r-- 1 u g 12 Feb 30  2019 bad-day",
             "-rw-r--r-- 1 u g 12 Dec 32 03:16 bad-day",
             "-rw-r--r-- 1 u g 12 Dec 08 24:01 bad-hour",
             "-rw-r--r-- 1 u g 12 Dec 08 25:00 bad-hour",
             "-rw-r--r-- 1 u g 12 Dec 08 03:60 bad-minute",
             "-rw-r--r-- 1 u g 12 Foo 08 03:16 bad-month",
             "-rw-r--r-- 1 u g twelve Dec 08 03:16 no-size",
             "-rw-r--r-- 12 Dec 08 03:16 no-owner",
             "xrw-r--r-- 1 u g 12 Dec 08 03:16 bad-type",
             "-rw-r--r-Q 1 u g 12 Dec 08 03:16 bad-mode",
             "01-16-02  11:14AM       <DIR>          epsgroup",
             "type=file;size=1; name",
         })
        EXPECT_FALSE(ParseUnixListingLine(line, kCaptureTime)) << "line: " << line;
}

TEST(UnixListing, SurvivesEveryPrefixOfARealLine)
{
    const std::string line = "lrwxrwxrwx   1 root     root       4,  64 Dec 08 03:16 spaced link -> target";
    for (std::size_t length = 0; length <= line.size(); ++length) {
        // Parse a copy of exactly `length` bytes, so that reading past the end is an error the
        // sanitizers see.
        const std::string prefix = line.substr(0, length);
        std::optional<ListingEntry> entry = ParseUnixListingLine(prefix, kCaptureTime);
        if (entry) {
            EXPECT_FALSE(entry->name.empty());
        }
    }
}

}  // namespace

namespace {

TEST(UnixListing, ReadsTheShapesServersReallySend)
{
    // Captured at 2026-12-08T03:16:29Z: dates with a time and no year are in 2026 up to a day
    // ahead, else in 2025.
    const ListingRow rows[] = {
        // Month names of other languages, with and without a trailing dot, day first or not.
        {"-rw-r--r--   1 user  gruppe   2235 26. Juli 20:10 Bericht.txt", "Bericht.txt", false, 2235, Utc(2026, 7, 26, 20, 10)},
        {"-r-xr-xr-x   2 root  other    2235 2.   Okt.  2003 datei", "datei", false, 2235, Utc(2003, 10, 2)},
        {"-rw-r--r--   1 user  groupe   1024 01 oct 2004 fichier", "fichier", false, 1024, Utc(2004, 10, 1)},
        {"-rw-r--r--   1 user  group    1024 23 \xD0\xBC\xD0\xB0\xD0\xB9 2011 \xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB", "\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB", false, 1024, Utc(2011, 5, 23)},
        {"-rw-r--r-- 1 u g 7 \xD0\xAF\xD0\xBD\xD0\xB2 2 2020 ru", "ru", false, 7, Utc(2020, 1, 2)},
        {"-rw-r--r-- 1 u g 7 f\xC3\xA9vr. 12 2019 fr", "fr", false, 7, Utc(2019, 2, 12)},
        {"-rw-r--r-- 1 u g 7 DEZ 24 10:00 de", "de", false, 7, Utc(2025, 12, 24, 10)},
        {"-rw-r--r-- 1 u g 7 mrt 3 2020 nl", "nl", false, 7, Utc(2020, 3, 3)},
        {"-rw-r--r-- 1 u g 7 maj 5 2020 sv", "sv", false, 7, Utc(2020, 5, 5)},
        {"-rw-r--r-- 1 u g 7 m\xC3\xA1rc 15 2020 hu", "hu", false, 7, Utc(2020, 3, 15)},
        {"-rw-r--r-- 1 u g 7 gen 7 2020 it", "it", false, 7, Utc(2020, 1, 7)},
        {"-rw-r--r-- 1 u g 7 ene 7 2020 es", "es", false, 7, Utc(2020, 1, 7)},
        {"-rw-r--r-- 1 u g 7 pa\xC5\xBA 9 2020 pl", "pl", false, 7, Utc(2020, 10, 9)},
        // Numeric dates.
        {"-rw-r--r-- 1 root other 531 2003-09-26 13:45 iso", "iso", false, 531, Utc(2003, 9, 26, 13, 45)},
        {"-rw-r--r-- 1 root other 531 1999/10/12 17:12 slashes", "slashes", false, 531, Utc(1999, 10, 12, 17, 12)},
        {"-rw-r--r-- 1 root other 531 24-04-2003 17:12 day first", "day first", false, 531, Utc(2003, 4, 24, 17, 12)},
        {"-rw-r--r-- 1 root other 531 2004.07.15 dotted", "dotted", false, 531, Utc(2004, 7, 15)},
        {"-rw-r--r-- 1 root other 4512 01-jun-99 short", "short", false, 4512, Utc(1999, 6, 1)},
        {"-rw-r--r-- 1 root other 531 09-26 2000 month day", "month day", false, 531, Utc(2000, 9, 26)},
        {"-rw-r--r-- 1 root other 531 09-26 13:45 month day time", "month day time", false, 531, Utc(2026, 9, 26, 13, 45)},
        // East Asian dates, spaced with ASCII or ideographic (full-width) spaces.
        {"-rw-r--r-- 1 root sys 8473 4\xE6\x9C\x88 18\xE6\x97\xA5 2003\xE5\xB9\xB4 ja", "ja", false, 8473, Utc(2003, 4, 18)},
        {"-rw-r--r-- 1 root sys 8473 2003\xE5\xB9\xB4" "10\xE6\x9C\x88" "26\xE6\x97\xA5 glued", "glued", false, 8473, Utc(2003, 10, 26)},
        {"-rw-r--r-- 1 root sys 8473 10\xEC\x9B\x94 6\xEC\x9D\xBC 12:34 ko", "ko", false, 8473, Utc(2026, 10, 6, 12, 34)},
        {"-r--r--r-- 1 root root 2096 8\xE6\x9C\x88 17 08:52 zh", "zh", false, 2096, Utc(2026, 8, 17, 8, 52)},
        {"-rw-r--r-- 1 root sys 1 10\xE6\x9C\x88\xE3\x80\x80" "26\xE6\x97\xA5\xE3\x80\x80" "2003\xE5\xB9\xB4\xE3\x80\x80wide", "wide", false, 1, Utc(2003, 10, 26)},
        // Midnight written as the end of the day; a year and a time both (one SSH-era server).
        {"-rw-r--r-- 1 u g 1 Dec 08 24:00 midnight", "midnight", false, 1, Utc(2026, 12, 9)},
        {"-rwxr-xr-x    1 user group        9 Oct 08, 2002 09:47 both", "both", false, 9, Utc(2002, 10, 8, 9, 47)},
        // Owner columns: missing link count and group, link count glued to the permissions,
        // size glued to a long group, an extra column (NetPresenz).
        {"-rw-r--r-- owner 12 Dec 08 02:28 lean", "lean", false, 12, Utc(2026, 12, 8, 2, 28)},
        {"-rw-r--r--123 owner group 12 Dec 08 03:16 many links", "many links", false, 12, Utc(2026, 12, 8, 3, 16)},
        {"drwxr-xr-x+1024 u g 4096 Dec 08 03:16 acl dir", "acl dir", true, 4096, Utc(2026, 12, 8, 3, 16)},
        {"-r-xr-xr-x longowner longgroup123456 Feb 12 17:20 concat", "concat", false, 123456, Utc(2026, 2, 12, 17, 20)},
        {"-------r--         326  1391972  1392298 Nov 22  1995 mac file", "mac file", false, 1392298, Utc(1995, 11, 22)},
        // Sizes with a unit, and a negative size from a 32-bit counter: unknown, not huge.
        {"-rw-r--r--   1 root     other  34.5k Oct 5 21:22 kilo", "kilo", false, 35328, Utc(2026, 10, 5, 21, 22)},
        {"-rw-r--r--   1 root     other  12M Oct 5 21:22 mega", "mega", false, 12582912, Utc(2026, 10, 5, 21, 22)},
        {"-rw-r--r--   1 root     other  -1294967296 Oct 5 21:22 wrapped", "wrapped", false, std::nullopt, Utc(2026, 10, 5, 21, 22)},
        // No date at all.
        {"-rw-r--r-- 1 owner group 1234 undated file", "undated file", false, 1234, std::nullopt},
        // File types beyond -, d and l.
        {"Drw-r--r-- 1 u g 0 Dec 08 03:16 door", "door", false, 0, Utc(2026, 12, 8, 3, 16)},
        {"nrw-r--r-- 1 u g 0 Dec 08 03:16 netspecial", "netspecial", false, 0, Utc(2026, 12, 8, 3, 16)},
        {"?--------- ? ? ? 0 Dec 08 03:16 unknown", "unknown", false, 0, Utc(2026, 12, 8, 3, 16)},
        // Names with blanks at either end and inside, and a tab, kept exactly.
        {"-rw-r--r-- 1 u g 1 Dec 08 03:16  lead  inner  trail  ", " lead  inner  trail  ", false, 1, Utc(2026, 12, 8, 3, 16)},
        {"-rw-r--r-- 1 u g 1 Dec 08 03:16 tab\tinside", "tab\tinside", false, 1, Utc(2026, 12, 8, 3, 16)},
    };
    for (const ListingRow& row : rows)
        ExpectRow(row, ParseUnixListingLine(row.line, kCaptureTime));
}

TEST(UnixListing, RefusesBrokenDatesInsteadOfReadingThemAsNames)
{
    for (std::string_view line : {
             "-rw-r--r-- 1 u g 12 Dec 32 03:16 bad-day",       // no date, but a time in the name
             "-rw-r--r-- 1 u g 12 31. Feb 2020 no-such-day",
             "-rw-r--r-- 1 u g 12 2003-13-01 bad-month",
             "-rw-r--r-- 1 u g 12 13\xE6\x9C\x88 1\xE6\x97\xA5 2003\xE5\xB9\xB4 bad-month",
             "-rw-r--r-- 1 u g 12 Dec 08 24:30 past-midnight",
         })
        EXPECT_FALSE(ParseUnixListingLine(line, kCaptureTime)) << "line: " << line;
}

}  // namespace

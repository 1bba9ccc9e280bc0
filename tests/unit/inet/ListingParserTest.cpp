#include "platform/inet/ListingParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::literals;

constexpr std::int64_t kCaptureTime = 1796699789;   // 2026-12-08T03:16:29Z

// vsftpd 3.0.3's answer to LIST -a, bytes as received.
const std::string kVsftpdListAll =
    "-rw-r--r--    1 0        0               2 Dec 08 03:16   leading.txt\r\n"
    "drwxr-xr-x    4 0        0            4096 Dec 08 03:16 .\r\n"
    "drwxr-xr-x    4 0        0            4096 Dec 08 03:16 ..\r\n"
    "-rw-r--r--    1 0        0              12 Dec 08 03:16 a.txt\r\n"
    "-rw-r--r--    1 0        0        5000000000 Dec 08 03:16 big.bin\r\n"
    "crw-r--r--    1 0        0               0 Dec 08 03:16 cdev\r\n"
    "drwxr-xr-x    2 0        0            4096 Dec 08 03:16 dir with space\r\n"
    "prw-r--r--    1 0        0               0 Dec 08 03:16 fifo\r\n"
    "-rw-r--r--    1 0        0               0 Feb 08  2027 future.txt\r\n"
    "lrwxrwxrwx    1 0        0               5 Dec 08 03:16 link -> a.txt\r\n"
    "-rw-r--r--    1 0        0               2 Dec 08 03:16 name with spaces.txt\r\n"
    "-rw-r--r--    1 0        0               0 Mar 04  2019 old.txt\r\n"
    "lrwxrwxrwx    1 0        0              20 Dec 08 03:16 spaced link -> name with spaces.txt\r\n"
    "drwxr-xr-x    2 0        0            4096 Dec 08 03:16 sub\r\n"
    "-rw-r--r--    1 0        0               2 Dec 08 03:16 \xC3\xBCn\xC3\xAF" "c\xC3\xB8" "d\xC3\xA9.txt\r\n";

std::vector<std::string> Names(const std::vector<ListingEntry>& entries)
{
    std::vector<std::string> names;
    for (const ListingEntry& e : entries)
        names.push_back(e.name);
    return names;
}

std::string UnixLine(std::string_view name)
{
    return "-rw-r--r-- 1 u g 1 Dec 08 03:16 "s + std::string(name);
}

TEST(ListingParser, ReadsWholeVsftpdListingWithoutDots)
{
    const std::vector<ListingEntry> entries = ParseListing(kVsftpdListAll, ListingFormat::Auto, kCaptureTime);
    EXPECT_EQ(Names(entries),
              (std::vector<std::string>{"  leading.txt", "a.txt", "big.bin", "cdev", "dir with space", "fifo",
                                        "future.txt", "link", "name with spaces.txt", "old.txt", "spaced link",
                                        "sub", "\xC3\xBCn\xC3\xAF" "c\xC3\xB8" "d\xC3\xA9.txt"}));
    // CRLF ends lines; the CR is no part of the name.
    EXPECT_EQ(entries.back().name.back(), 't');
}

TEST(ListingParser, KeepsDotsWhenAskedForEverything)
{
    const std::vector<ListingEntry> entries =
        ParseListing(kVsftpdListAll, ListingFormat::Unix, kCaptureTime, /*skipUnsafe=*/false);
    ASSERT_EQ(entries.size(), 15u);
    EXPECT_EQ(entries[1].name, ".");
    EXPECT_EQ(entries[2].name, "..");
}

TEST(ListingParser, SplitsAtLfAndCrlfAndKeepsAFinalLineWithoutEnd)
{
    const std::string text = UnixLine("one") + "\n" + UnixLine("two") + "\r\n" + UnixLine("three");
    EXPECT_EQ(Names(ParseListing(text, ListingFormat::Unix, kCaptureTime)),
              (std::vector<std::string>{"one", "two", "three"}));
}

TEST(ListingParser, SkipsHeadersBlankLinesAndJunk)
{
    const std::string text = "total 32\r\n\r\n   \r\n" + UnixLine("kept") + "\r\nthis is not a listing\r\n\n";
    EXPECT_EQ(Names(ParseListing(text, ListingFormat::Auto, kCaptureTime)), (std::vector<std::string>{"kept"}));
    EXPECT_TRUE(ParseListing("", ListingFormat::Auto, kCaptureTime).empty());
    EXPECT_TRUE(ParseListing("\n\n\r\n", ListingFormat::Mlsd, kCaptureTime).empty());
}

TEST(ListingParser, SkipsLinesOverTheLimit)
{
    const std::string prefix = UnixLine("");
    const std::string longest = prefix + std::string(kMaxListingLine - prefix.size(), 'a');
    const std::string tooLong = prefix + std::string(kMaxListingLine - prefix.size() + 1, 'b');
    ASSERT_EQ(longest.size(), kMaxListingLine);
    const std::string text = tooLong + "\r\n" + longest + "\r\n" + UnixLine("after") + "\r\n";
    const std::vector<ListingEntry> entries = ParseListing(text, ListingFormat::Unix, kCaptureTime);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name.size(), kMaxListingLine - prefix.size());
    EXPECT_EQ(entries[1].name, "after");
}

TEST(ListingParser, AutoReadsUnixAndDosButNotMlsd)
{
    EXPECT_EQ(ParseListingLine(UnixLine("u"), ListingFormat::Auto, kCaptureTime)->name, "u");
    EXPECT_EQ(ParseListingLine("01-16-02  11:14AM       <DIR>          d", ListingFormat::Auto, kCaptureTime)->name, "d");
    EXPECT_FALSE(ParseListingLine("type=file;size=1; m", ListingFormat::Auto, kCaptureTime));
    EXPECT_EQ(ParseListingLine("type=file;size=1; m", ListingFormat::Mlsd, kCaptureTime)->name, "m");
    // An explicit format tries that format only.
    EXPECT_FALSE(ParseListingLine(UnixLine("u"), ListingFormat::Dos, kCaptureTime));
    EXPECT_FALSE(ParseListingLine("01-16-02  11:14AM  1 d", ListingFormat::Unix, kCaptureTime));
    EXPECT_FALSE(ParseListingLine(UnixLine("u"), ListingFormat::Mlsd, kCaptureTime));
}

TEST(ListingParser, MixedListingInAutoReadsEachLine)
{
    const std::string text = UnixLine("unix") + "\r\n01-16-02  11:14AM  7 dos\r\n";
    EXPECT_EQ(Names(ParseListing(text, ListingFormat::Auto, kCaptureTime)),
              (std::vector<std::string>{"unix", "dos"}));
}

TEST(ListingParser, RefusesUnsafeNames)
{
    for (std::string_view name : {""sv, "."sv, ".."sv, "../x"sv, "a/b"sv, "/etc"sv, "x/"sv, "a\\b"sv, "..\\x"sv,
                                  "a\0b"sv, "a\rb"sv, "a\nb"sv, "\x1b[31m"sv, "..."sv, ". ."sv,
                                  ".. "sv, "   "sv})
        EXPECT_FALSE(IsSafeEntryName(name)) << "name: " << name;
    for (std::string_view name : {"a"sv, "a.txt"sv, ".hidden"sv, "..x"sv, "x.."sv, "  leading"sv,
                                  "trailing "sv, "\xC3\xBC"sv, "\xFF\xFE"sv, "a b"sv, "x -> y"sv, "~"sv,
                                  "tab\there"sv, "\ttab"sv, "tab\t"sv})
        EXPECT_TRUE(IsSafeEntryName(name)) << "name: " << name;
}

TEST(ListingParser, DropsHostileNamesFromUnixListings)
{
    std::string text;
    for (std::string_view name : {"../x"sv, "a/b"sv, "."sv, ".."sv, "../../etc/passwd"sv, "a\0b"sv, "a\rb"sv, "ok"sv})
        text += UnixLine(name) + "\r\n";
    text += "lrwxrwxrwx 1 u g 5 Dec 08 03:16 ../up -> /etc\r\n";
    text += "lrwxrwxrwx 1 u g 5 Dec 08 03:16 safe -> ../../outside\r\n";
    const std::vector<ListingEntry> entries = ParseListing(text, ListingFormat::Unix, kCaptureTime);
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"ok", "safe"}));
}

TEST(ListingParser, DropsHostileNamesAndDotsFromMlsd)
{
    const std::string text = "type=cdir; /home/user\r\n"
                             "type=pdir; /home\r\n"
                             "type=file;size=1; ..\r\n"
                             "type=file;size=1; ../../.bashrc\r\n"
                             "type=file;size=1; sub/file\r\n"
                             "type=file;size=1; \r\n"
                             "type=dir; ok dir\r\n"s +
                             "type=file;size=1; nul\0byte\r\n"s;
    EXPECT_EQ(Names(ParseListing(text, ListingFormat::Mlsd, kCaptureTime)), (std::vector<std::string>{"ok dir"}));
}

TEST(ListingParser, DropsHostileNamesFromDosListings)
{
    const std::string text = "01-16-02  11:14AM  1 ..\\..\\boot.ini\r\n"
                             "01-16-02  11:14AM       <DIR>          ..\r\n"
                             "01-16-02  11:14AM  1 fine.txt\r\n";
    EXPECT_EQ(Names(ParseListing(text, ListingFormat::Dos, kCaptureTime)), (std::vector<std::string>{"fine.txt"}));
}

TEST(ListingParser, CountsAndQuotesTheLinesItCouldNotRead)
{
    const std::string text = "total 12\r\n" + UnixLine("kept") + "\r\n" +
                             "-rw-r--r-- 1 u g 12 Dec 32 03:16 broken\x1b[2J\r\n" +  // a bad day, an escape
                             "garbage line\r\n" + UnixLine("a/b") + "\r\n" +           // unsafe: skipped too
                             UnixLine("..") + "\r\n" +                                  // expected: dropped quietly
                             UnixLine("also kept") + "\r\n\r\n";
    std::vector<std::size_t> numbers;
    const ListingReport report = ParseListingReport(text, ListingFormat::Auto, kCaptureTime, ListingFormat::Auto, true,
                                                    [&](std::size_t number, std::string_view) { numbers.push_back(number); });
    EXPECT_EQ(Names(report.entries), (std::vector<std::string>{"kept", "also kept"}));
    EXPECT_EQ(report.skippedLines, 3u);
    EXPECT_EQ(numbers, (std::vector<std::size_t>{3, 4, 5}));
    EXPECT_EQ(DescribeSkippedLines(report),
              "3 lines of the listing could not be read; the first: "
              "\"-rw-r--r-- 1 u g 12 Dec 32 03:16 broken\\x1B[2J\"");

    const ListingReport one = ParseListingReport(UnixLine("x") + "\nnonsense\n", ListingFormat::Auto, kCaptureTime);
    EXPECT_EQ(DescribeSkippedLines(one), "1 line of the listing could not be read: \"nonsense\"");
    EXPECT_EQ(DescribeSkippedLines(ParseListingReport(UnixLine("x"), ListingFormat::Auto, kCaptureTime)), "");
}

TEST(ListingParser, HeadersAndTotalsAreNoLostLines)
{
    for (std::string_view noise : {"total 0", "total 1.5M", "Total: 8", "insgesamt 12", "\xD0\xB8\xD1\x82\xD0\xBE\xD0\xB3\xD0\xBE 4", "Directory DISK$USER:[ANON]",
                                   "Total of 8 files, 1234/1300 blocks.", "Grand total of 2 directories, 10 files",
                                   "Volume Unit    Referred Ext Used Recfm Lrecl BlkSz Dsorg Dsname",
                                   "Name     VV.MM   Created       Changed      Size  Init   Mod   Id",
                                   "  size          date       time       name", "--------       ------     ------"}) {
        EXPECT_TRUE(IsListingNoise(noise)) << noise;
        const ListingReport report = ParseListingReport(std::string(noise) + "\r\n", ListingFormat::Auto, kCaptureTime);
        EXPECT_TRUE(report.entries.empty()) << noise;
        EXPECT_EQ(report.skippedLines, 0u) << noise;
    }
    for (std::string_view entry : {"total", "totally 5", "Directory", "names.txt", "-", "--"})
        EXPECT_FALSE(IsListingNoise(entry)) << entry;
}

TEST(ListingParser, ListingOfBareNamesGivesNamesOfUnknownSize)
{
    // Some servers answer LIST as NLST: names alone.
    std::size_t toldSkipped = 0;
    const ListingReport report =
        ParseListingReport("total 3\r\nreadme.txt\r\nmy photos\r\n\r\ntab\tname\r\n", ListingFormat::Auto, kCaptureTime,
                           ListingFormat::Auto, true, [&](std::size_t, std::string_view) { ++toldSkipped; });
    EXPECT_EQ(toldSkipped, 0u);   // read as names in the end, so never told as skipped
    EXPECT_EQ(Names(report.entries), (std::vector<std::string>{"readme.txt", "my photos", "tab\tname"}));
    EXPECT_EQ(report.skippedLines, 0u);
    for (const ListingEntry& entry : report.entries) {
        EXPECT_FALSE(entry.sizeKnown);
        EXPECT_FALSE(entry.timeKnown);
        EXPECT_FALSE(entry.isDirectory);
    }

    // Not when one line is an entry, when a line has columns, when a name is unsafe, or in MLSD.
    for (const std::string& text : {UnixLine("entry") + "\r\nbare\r\n", "bare\r\ncolumns   of   text\r\n"s,
                                    "bare\r\n../up\r\n"s}) {
        const ListingReport mixed = ParseListingReport(text, ListingFormat::Auto, kCaptureTime);
        EXPECT_GT(mixed.skippedLines, 0u) << text;
        for (const ListingEntry& entry : mixed.entries)
            EXPECT_NE(entry.name, "bare") << text;
    }
    EXPECT_TRUE(ParseListingReport("bare\r\n", ListingFormat::Mlsd, kCaptureTime).entries.empty());
}

TEST(ListingParser, ScrubsControlBytesAndCutsOnACharacterBoundary)
{
    EXPECT_EQ(ScrubListingLine("a\tb\x7f\x01", 100), "a\\x09b\\x7F\\x01");
    // Cut after "ab", not inside the two bytes of "\xC3\xBC".
    EXPECT_EQ(ScrubListingLine("ab\xC3\xBC" "cd", 3), "ab...");
    EXPECT_EQ(ScrubListingLine(std::string(300, 'x'), 200).size(), 203u);
}

}  // namespace

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

}  // namespace

#include "platform/inet/ListingBuilder.h"

#include "platform/inet/InternetException.h"
#include "platform/inet/ListingParser.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace {

using testing::ElementsAre;
using testing::HasSubstr;

constexpr std::int64_t kNow = 1796699789;   // 2026-12-08T03:16:29Z

std::string UnixLine(const std::string& name)
{
    return "-rw-r--r-- 1 u g 1 Dec 08 03:16 " + name;
}

std::vector<std::string> Names(const std::vector<ListingEntry>& entries)
{
    std::vector<std::string> names;
    for (const ListingEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

// The bytes of `text` handed to a builder in pieces of `piece` bytes.
std::vector<ListingEntry> BuildInPieces(const std::string& text, std::size_t piece, bool* blank = nullptr)
{
    ListingBuilder builder(ListingFormat::Auto, kNow);
    for (std::size_t at = 0; at < text.size(); at += piece)
        builder.Add(std::string_view(text).substr(at, piece));
    std::vector<ListingEntry> entries = builder.Finish();
    if (blank)
        *blank = builder.Blank();
    return entries;
}

// The message of the CInternetException `action` throws; empty when it throws none.
template <typename F>
std::string FailureText(F&& action)
{
    try {
        action();
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.m_dwError, ERROR_INTERNET_EXTENDED_ERROR);
        return error.GetText();
    }
    return {};
}

}  // namespace

// A data connection cuts a listing anywhere: inside a line, between CR and LF, inside an
// overlong line. The entries are the same however it was cut.
TEST(ListingBuilder, GivesTheSameEntriesHoweverTheListingIsCut)
{
    const std::string text = "total 3\r\n" + UnixLine("first") + "\r\n\r\n\n" + UnixLine(std::string(kMaxListingLine + 5, 'x'))
                             + "\r\n" + UnixLine("after long") + "\n" + UnixLine("no line end");
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{4096},
                              text.size()}) {
        SCOPED_TRACE(piece);
        EXPECT_THAT(Names(BuildInPieces(text, piece)), ElementsAre("first", "after long", "no line end"));
    }
}

TEST(ListingBuilder, TellsABlankListingFromOneWithText)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"", true}, {"\r\n\n \t\r\n", true}, {"total 0\r\n", false}, {"\n\n" + UnixLine("a"), false},
    };
    for (const auto& [text, expectBlank] : cases) {
        SCOPED_TRACE(text);
        bool blank = !expectBlank;
        BuildInPieces(text, 3, &blank);
        EXPECT_EQ(blank, expectBlank);
    }
}

// One entry past the limit fails the whole listing with a reason; a listing at the limit is
// still read whole.
TEST(ListingBuilder, StopsAListingWithTooManyEntries)
{
    const std::string line = "type=file;size=1; f\r\n";
    std::string text;
    text.reserve(line.size() * (ListingBuilder::kMaxEntries + 1));
    for (std::size_t i = 0; i < ListingBuilder::kMaxEntries; ++i)
        text += line;
    ListingBuilder atLimit(ListingFormat::Mlsd, kNow);
    atLimit.Add(text);
    EXPECT_EQ(atLimit.Finish().size(), ListingBuilder::kMaxEntries);

    text += line;
    EXPECT_THAT(FailureText([&] { ParseListing(text, ListingFormat::Mlsd, kNow); }), HasSubstr("too many entries"));
}

// A server sending line ends without end is stopped at the byte limit, having cost no memory
// for the lines it sent.
TEST(ListingBuilder, StopsAListingPastItsByteLimit)
{
    const std::string block(1024 * 1024, '\n');
    ListingBuilder builder(ListingFormat::Auto, kNow);
    std::uint64_t accepted = 0;
    const std::string text = FailureText([&] {
        for (;;) {
            builder.Add(block);
            accepted += block.size();
        }
    });
    EXPECT_THAT(text, HasSubstr("too large"));
    EXPECT_LE(accepted, ListingBuilder::kMaxBytes);
    EXPECT_GT(accepted + block.size(), ListingBuilder::kMaxBytes);
}

// What a whole listing reads as (skipped lines with their numbers, a VMS entry wrapped over two
// lines, a listing of bare names) must not depend on where the data connection cut it.
TEST(ListingBuilder, ReportsTheSameSkippedLinesHoweverTheListingIsCut)
{
    struct Case {
        const char* what;
        std::string text;
    };
    const Case cases[] = {
        {"unix with junk", UnixLine("a") + "\r\nnot an entry\r\n\r\n" + UnixLine("b") + "\r\n\x01junk\r\n"},
        {"vms wrapped", "Directory DISK$USER:[ME]\r\n\r\nA_VERY_LONG_FILE_NAME_THAT_WRAPS.TXT;1\r\n"
                        "                    1/3     12-DEC-2020 10:00:00  [ME]  (RWED,RWED,RE,)\r\n"
                        "SHORT.TXT;2   2/3   12-DEC-2020 10:00:00  [ME]  (RWED,RWED,RE,)\r\n"},
        {"bare names", "total 3\r\nreadme.txt\r\nmy photos\r\n\r\nlast"},
        {"stray carriage returns", "readme\n1\n\n\r\r\n\nlast\r\n"},
        {"long line", std::string(kMaxListingLine + 9, 'y') + "\n" + UnixLine("kept") + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> wholeSkipped;
        const ListingReport whole = ParseListingReport(c.text, ListingFormat::Auto, kNow, ListingFormat::Auto, true,
                                                       [&](std::size_t number, std::string_view line) {
                                                           wholeSkipped.push_back(std::to_string(number) + ":"
                                                                                  + std::string(line.substr(0, 40)));
                                                       });
        for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{64}}) {
            SCOPED_TRACE(piece);
            std::vector<std::string> skipped;
            ListingBuilder builder(ListingFormat::Auto, kNow, true, ListingFormat::Auto,
                                   [&](std::size_t number, std::string_view line) {
                                       skipped.push_back(std::to_string(number) + ":" + std::string(line.substr(0, 40)));
                                   });
            for (std::size_t at = 0; at < c.text.size(); at += piece)
                builder.Add(std::string_view(c.text).substr(at, piece));
            const ListingReport report = builder.FinishReport();
            EXPECT_EQ(Names(report.entries), Names(whole.entries));
            EXPECT_EQ(report.skippedLines, whole.skippedLines);
            EXPECT_EQ(report.firstSkipped, whole.firstSkipped);
            EXPECT_EQ(skipped, wholeSkipped);
        }
    }
    EXPECT_THAT(Names(ParseListing(cases[2].text, ListingFormat::Auto, kNow)),
                ElementsAre("readme.txt", "my photos", "last"));
    EXPECT_THAT(Names(ParseListing(cases[1].text, ListingFormat::Auto, kNow)),
                ElementsAre("A_VERY_LONG_FILE_NAME_THAT_WRAPS.TXT;1", "SHORT.TXT;2"));
    const ListingReport junk = ParseListingReport(cases[0].text, ListingFormat::Auto, kNow);
    EXPECT_THAT(Names(junk.entries), ElementsAre("a", "b"));
    EXPECT_EQ(junk.skippedLines, 2u);
    EXPECT_EQ(junk.firstSkipped, "not an entry");
}

// The lines around a listing's entries that hold none, and how a skipped line is shown.

#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"
#include "platform/inet/PrintableText.h"

#include <cstdio>

using namespace listing;

namespace {

// What `ls -l` calls its first line in the locales servers run in (lower case): English,
// French, Spanish and Portuguese; German; Italian; Dutch; Swedish and Norwegian; Polish;
// Hungarian; Russian; Japanese; Chinese; Korean.
constexpr std::string_view kTotalWords[] = {
    "total", "insgesamt", "totale", "totaal", "totalt", "razem", "\xC3\xB6sszesen",
    "\xD0\xB8\xD1\x82\xD0\xBE\xD0\xB3\xD0\xBE", "\xE5\x90\x88\xE8\xA8\x88", "\xE6\x80\xBB\xE7\x94\xA8\xE9\x87\x8F",
    "\xED\x95\xA9\xEA\xB3\x84",
};

// The length a skipped line is cut to in the session log.
constexpr std::size_t kMaxQuotedLine = 200;

std::string_view TrimLeadingBlanks(std::string_view line)
{
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    return line.substr(pos);
}

bool Contains(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

}  // namespace

bool IsListingNoise(std::string_view line)
{
    const std::string_view text = TrimLeadingBlanks(line);
    // "total 32", "total 1.5M", "Total: 8", and the word in the locales `ls` speaks.
    std::size_t pos = 0;
    std::string_view word = NextField(text, pos);
    if (!word.empty() && word.back() == ':')
        word.remove_suffix(1);
    for (const std::string_view total : kTotalWords) {
        if (!EqualsNoCase(word, total))
            continue;
        const std::string_view count = NextField(text, pos);
        if (!count.empty() && IsDigit(count.front()) && NextField(text, pos).empty())
            return true;
    }
    // VMS: "Directory DISK$USER:[ANONYMOUS]", "Total of 8 files, 1234/1300 blocks.",
    // "Grand total of 2 directories, 10 files, ...".
    if (text.substr(0, 10) == "Directory " || text.substr(0, 9) == "Total of " || text.substr(0, 15) == "Grand total of ")
        return true;
    // MVS column titles, of data sets and of members.
    if ((text.substr(0, 7) == "Volume " && Contains(text, "Dsname")) ||
        (text.substr(0, 5) == "Name " && (Contains(text, "VV.MM") || Contains(text, "TTR"))))
        return true;
    // VxWorks column titles and the dashes under them.
    if (text.substr(0, 4) == "size" && Contains(text, "date") && Contains(text, "name"))
        return true;
    // (A name of a dash or two stays a name.)
    constexpr std::string_view kDashes = "----";
    return text.substr(0, kDashes.size()) == kDashes && text.find_first_not_of("- \t") == std::string_view::npos;
}

std::string ScrubListingLine(std::string_view line, std::size_t maxBytes)
{
    bool cut = false;
    if (line.size() > maxBytes) {
        std::size_t end = maxBytes;
        // Not inside a UTF-8 sequence: continuation bytes are 10xxxxxx.
        while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
            --end;
        line = line.substr(0, end);
        cut = true;
    }
    std::string shown = PrintableText(line);
    if (cut)
        shown += "...";
    return shown;
}

std::string DescribeSkippedLines(const ListingReport& report)
{
    if (report.skippedLines == 0)
        return {};
    const std::string quoted = "\"" + ScrubListingLine(report.firstSkipped, kMaxQuotedLine) + "\"";
    if (report.skippedLines == 1)
        return "1 line of the listing could not be read: " + quoted;
    return std::to_string(report.skippedLines) + " lines of the listing could not be read; the first: " + quoted;
}

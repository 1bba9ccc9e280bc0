// How fast listings parse, against a plain pass that only splits the same bytes into lines.
// Prints lines per second for 100,000 Unix `ls -l` lines and 100,000 MLSD lines, and the ratio
// of each to the split-only pass measured in the same run on the same text; then the rate of
// every other server family, read in Auto as a client reads them (which tries Unix first).

#include "platform/inet/ListingParser.h"

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr int kLines = 100000;
constexpr int kRounds = 7;
constexpr std::int64_t kNow = 1796699789;   // 2026-12-08T03:16:29Z
constexpr double kGoalLinesPerSecond = 1e6;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string MakeName(std::mt19937& random, int i)
{
    static const char* const kStems[] = {"report", "photo 2024", "backup", "README", "src", "\xC3\xBCnicode"};
    static const char* const kExtensions[] = {".txt", ".tar.gz", ".jpg", "", ".cpp"};
    std::string name = kStems[random() % 6];
    name += '_';
    name += std::to_string(i);
    name += kExtensions[random() % 5];
    return name;
}

std::string MakeUnixListing()
{
    std::mt19937 random(1);
    std::string text;
    char line[512];
    for (int i = 0; i < kLines; ++i) {
        const std::string name = MakeName(random, i);
        const unsigned kind = random() % 10;
        const char* permissions = kind == 0 ? "drwxr-xr-x" : kind == 1 ? "lrwxrwxrwx" : "-rw-r--r--";
        const unsigned long long size = random() % 4 == 0 ? 5000000000ULL + random() : random() % 100000;
        const char* month = kMonths[random() % 12];
        const unsigned day = 1 + random() % 28;
        if (random() % 2 == 0)
            std::snprintf(line, sizeof line, "%s    1 1000     1000     %12llu %s %02u %02u:%02u %s%s%s\r\n",
                          permissions, size, month, day, unsigned(random() % 24), unsigned(random() % 60),
                          name.c_str(), kind == 1 ? " -> " : "", kind == 1 ? "target" : "");
        else
            std::snprintf(line, sizeof line, "%s   1 owner    group    %12llu %s %2u  %u %s%s%s\r\n",
                          permissions, size, month, day, unsigned(1990 + random() % 40), name.c_str(),
                          kind == 1 ? " -> " : "", kind == 1 ? "target" : "");
        text += line;
    }
    return text;
}

std::string MakeMlsdListing()
{
    std::mt19937 random(2);
    std::string text;
    char line[512];
    for (int i = 0; i < kLines; ++i) {
        const std::string name = MakeName(random, i);
        const bool dir = random() % 10 == 0;
        std::snprintf(line, sizeof line,
                      "modify=%04u%02u%02u%02u%02u%02u;perm=radfwMT;size=%u;type=%s;unique=fe00ga%x; %s\r\n",
                      unsigned(1990 + random() % 40), unsigned(1 + random() % 12), unsigned(1 + random() % 28),
                      unsigned(random() % 24), unsigned(random() % 60), unsigned(random() % 60),
                      unsigned(random() % 1000000), dir ? "dir" : "file", unsigned(random()), name.c_str());
        text += line;
    }
    return text;
}

// One line of each other family; "%s" is the name, "%u" a number that varies.
struct FamilyLine {
    const char* family;
    const char* format;
};

constexpr FamilyLine kFamilyLines[] = {
    {"dos", "04-27-2000  12:09PM              %u %s\r\n"},
    {"unix-de", "-rw-r--r--   1 anna  gruppe %u 26. Juli 20:10 %s\r\n"},
    {"eplf", "+i8388621.48594,m825718503,r,s%u,\t%s\r\n"},
    {"netware", "- [RWCEAFMS] rhesus  %u       Oct 20  2019    %s\r\n"},
    {"os2", " %u      A    04-23-103  10:57  %s\r\n"},
    {"vms", "%s;1  %u/216  29-JAN-1996 03:33:12  [ANONYMOU,ANONYMOUS]   (RWED,RWED,,)\r\n"},
    {"ibmi", "QDFTOWN   %u 09/17/01 16:13:56 *STMF      %s\r\n"},
    {"mvs", "WYOSPT 3420   2003/05/21  1  %u  FB      80  8053  PS  %s\r\n"},
    {"vxworks", "  %u      MAR-26-2003  16:05:32   %s\r\n"},
    {"wince", "Mon Mar 28 2005 09:15:00     %u  %s\r\n"},
    {"embed", "%u  2004-07-15 12:00 %s\r\n"},
};

std::string MakeFamilyListing(const FamilyLine& family)
{
    std::mt19937 random(3);
    std::string text;
    char line[512];
    const bool nameFirst = std::string_view(family.format).find("%s") < std::string_view(family.format).find("%u");
    for (int i = 0; i < kLines; ++i) {
        // MVS and VMS names have no blanks.
        std::string name = "FILE" + std::to_string(i) + ".DATA";
        const unsigned number = unsigned(random() % 100000);
        if (nameFirst)
            std::snprintf(line, sizeof line, family.format, name.c_str(), number);
        else
            std::snprintf(line, sizeof line, family.format, number, name.c_str());
        text += line;
    }
    return text;
}

// The peer: the least any parser must do, finding where each line ends.
std::size_t SplitOnly(std::string_view text)
{
    std::size_t lines = 0;
    std::size_t bytes = 0;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        const std::string_view line = text.substr(0, lf);
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        bytes += line.size();
        ++lines;
    }
    return lines + (bytes & 1);   // keeps the loop from being optimised away
}

// Processor time rather than wall time: on a busy machine the scheduler's pauses would
// otherwise swamp a pass of a tenth of a second.
template <typename Pass>
double BestLinesPerSecond(Pass pass)
{
    double best = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::clock_t start = std::clock();
        const std::size_t lines = pass();
        const double elapsed = std::max(1.0, double(std::clock() - start)) / CLOCKS_PER_SEC;
        if (lines < static_cast<std::size_t>(kLines))
            std::fprintf(stderr, "only %zu of %d lines read\n", lines, kLines);
        best = std::max(best, kLines / elapsed);
    }
    return best;
}

void Report(const char* what, double linesPerSecond, double peer)
{
    std::printf("%-6s %12.0f lines/s   %.3f of split-only   goal %.0f lines/s: %s\n", what, linesPerSecond,
                linesPerSecond / peer, kGoalLinesPerSecond, linesPerSecond >= kGoalLinesPerSecond ? "met" : "missed");
}

}  // namespace

int main()
{
    const std::string unixText = MakeUnixListing();
    const std::string mlsd = MakeMlsdListing();

    const double unixRate = BestLinesPerSecond([&] { return ParseListing(unixText, ListingFormat::Unix, kNow).size(); });
    const double autoRate = BestLinesPerSecond([&] { return ParseListing(unixText, ListingFormat::Auto, kNow).size(); });
    const double mlsdRate = BestLinesPerSecond([&] { return ParseListing(mlsd, ListingFormat::Mlsd, kNow).size(); });
    const double splitUnix = BestLinesPerSecond([&] { return SplitOnly(unixText); });
    const double splitMlsd = BestLinesPerSecond([&] { return SplitOnly(mlsd); });

    std::printf("%d lines each, best of %d rounds, processor time\n", kLines, kRounds);
    std::printf("%-6s %12.0f lines/s (peer for unix)\n", "split", splitUnix);
    Report("unix", unixRate, splitUnix);
    Report("auto", autoRate, splitUnix);
    std::printf("%-6s %12.0f lines/s (peer for mlsd)\n", "split", splitMlsd);
    Report("mlsd", mlsdRate, splitMlsd);

    std::printf("other families, read in auto (no goal), against splitting the same text:\n");
    for (const FamilyLine& family : kFamilyLines) {
        const std::string text = MakeFamilyListing(family);
        const double rate = BestLinesPerSecond([&] { return ParseListing(text, ListingFormat::Auto, kNow).size(); });
        const double split = BestLinesPerSecond([&] { return SplitOnly(text); });
        std::printf("%-8s %12.0f lines/s   %.3f of split-only\n", family.family, rate, rate / split);
    }
    return 0;
}

#pragma once
// Directory listings as servers send them (LIST in the layouts of Unix `ls -l`, MS-DOS/IIS,
// EPLF, NetWare, OS/2, VMS, IBM i, MVS, VxWorks, Windows CE and small embedded servers; MLSD)
// turned into entries. Every function takes any bytes at all: a line that is not an entry
// gives nullopt.

#include "platform/inet/ListingEntry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Longer lines are no listing a real server sends; they are skipped rather than parsed.
inline constexpr std::size_t kMaxListingLine = 64 * 1024;

// One line, without its line end. nowUtc decides the year of dates given without one: the
// current year, unless that puts the date more than a day in the future, then the year before.
// Times are taken as UTC: the server's zone is unknown.
std::optional<ListingEntry> ParseUnixListingLine(std::string_view line, std::int64_t nowUtc);
std::optional<ListingEntry> ParseDosListingLine(std::string_view line);
std::optional<ListingEntry> ParseMlsdLine(std::string_view line);
std::optional<ListingEntry> ParseEplfLine(std::string_view line);
std::optional<ListingEntry> ParseNetWareLine(std::string_view line, std::int64_t nowUtc);
std::optional<ListingEntry> ParseOs2Line(std::string_view line);
std::optional<ListingEntry> ParseVmsLine(std::string_view line);
std::optional<ListingEntry> ParseIbmiLine(std::string_view line);
std::optional<ListingEntry> ParseMvsLine(std::string_view line);
std::optional<ListingEntry> ParseVxWorksLine(std::string_view line);
std::optional<ListingEntry> ParseWinCeLine(std::string_view line);
std::optional<ListingEntry> ParseEmbeddedLine(std::string_view line);

// A time as MLSD's "modify" fact and MDTM's reply give it: "YYYYMMDDHHMMSS", optionally followed
// by ".s" to ".sssssssss" (dropped), in UTC; stored as seconds since 1970.
bool ParseModifyTime(std::string_view value, std::int64_t& seconds);

// A VMS name too long for its column, alone on its line: the rest of the entry is on the next.
bool IsVmsNameAlone(std::string_view line);

// Lines that servers put around their entries and that hold none: "total 32", VMS's
// "Directory ..." and "Total of ..." lines, the column titles of MVS and VxWorks listings.
bool IsListingNoise(std::string_view line);

// The layout a server's SYST reply suggests ("215 UNIX Type: L8", "215 VMS", "215 MVS is the
// operating system of this server. FTP Server is running on z/OS.", "215 OS/400 is the remote
// operating system."); Auto when it suggests none.
ListingFormat ListingFormatFromSystem(std::string_view systReply);

// LIST output in any layout: the one in `layout` first (what read the line before), then the
// others in order; `layout` is set to the one that read the line.
std::optional<ListingEntry> ParseAnyLayout(std::string_view line, std::int64_t nowUtc, ListingFormat& layout);

// Auto tries MLSD only when asked (MLSD output is requested explicitly); for LIST output it
// tries every layout, starting with the hint (when not Auto).
std::optional<ListingEntry> ParseListingLine(std::string_view line, ListingFormat format, std::int64_t nowUtc,
                                             ListingFormat hint = ListingFormat::Auto);

// Whether a name can be handed to callers as a file or directory name: a single path
// component on every platform the program builds for. Names from a hostile server must never
// lead a caller to write outside its target folder. Refused: the empty name, a slash or a
// backslash anywhere, any control byte but the tab (NUL, CR, LF, ...), and names made only of
// dots and blanks ("." and "..", and "... " which Windows trims to them).
bool IsSafeEntryName(std::string_view name);

// What reading a whole listing gave: the entries, and the lines that gave none although they
// were neither blank nor one of the lines servers put around entries (IsListingNoise).
struct ListingReport {
    std::vector<ListingEntry> entries;
    std::size_t skippedLines = 0;
    std::string firstSkipped;   // the first of them, as received (at most kMaxListingLine bytes)
};

// Called for every skipped line, with its number (from 1) in the listing.
using SkippedLineSink = std::function<void(std::size_t lineNumber, std::string_view line)>;

// Splits a whole listing (bytes as received) into lines (LF or CRLF; a final line without LF
// counts) and reads each, joining a VMS entry wrapped over two lines. With skipUnsafe,
// entries whose name fails IsSafeEntryName are dropped and counted as skipped; "." and "..",
// and MLSD cdir/pdir, are dropped without a count. Lines over kMaxListingLine count as
// skipped. When no line gives an entry but every line that is not noise could be a bare name
// (servers that answer LIST as NLST), those lines are the entries, of unknown size and time.
// Throws CInternetException past ListingBuilder's limits.
ListingReport ParseListingReport(std::string_view text, ListingFormat format, std::int64_t nowUtc,
                                 ListingFormat hint = ListingFormat::Auto, bool skipUnsafe = true,
                                 const SkippedLineSink& onSkipped = {});

// ParseListingReport's entries alone; throws as it does.
std::vector<ListingEntry> ParseListing(std::string_view text, ListingFormat format, std::int64_t nowUtc,
                                       bool skipUnsafe = true);

// The line for the session log about a listing's skipped lines ("3 lines of the listing could
// not be read; the first: "..."), or empty when none was skipped. The quoted line has its
// control bytes replaced and is cut to a readable length.
std::string DescribeSkippedLines(const ListingReport& report);

// A listing line made safe to show: control bytes as "\xNN", cut at `maxBytes` on a
// character boundary with "..." added.
std::string ScrubListingLine(std::string_view line, std::size_t maxBytes);

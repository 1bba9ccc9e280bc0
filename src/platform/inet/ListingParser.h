#pragma once
// Directory listings as servers send them (LIST in Unix `ls -l` or MS-DOS/IIS form, MLSD) turned
// into entries. Every function takes any bytes at all: a line that is not an entry gives nullopt.

#include "platform/inet/ListingEntry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Longer lines are no listing a real server sends; they are skipped rather than parsed.
inline constexpr std::size_t kMaxListingLine = 64 * 1024;

// One line, without its line end. nowUtc decides the year of Unix dates given with a time
// instead of a year: the current year, unless that puts the date more than a day in the
// future, then the year before. Times are taken as UTC: the server's zone is unknown.
std::optional<ListingEntry> ParseUnixListingLine(std::string_view line, std::int64_t nowUtc);
std::optional<ListingEntry> ParseDosListingLine(std::string_view line);
std::optional<ListingEntry> ParseMlsdLine(std::string_view line);

// Auto tries MLSD only when asked (MLSD output is requested explicitly); for LIST output it
// tries Unix, then DOS.
std::optional<ListingEntry> ParseListingLine(std::string_view line, ListingFormat format,
                                             std::int64_t nowUtc);

// Whether a name can be handed to callers as a file or directory name: a single path
// component on every platform the program builds for. Names from a hostile server must never
// lead a caller to write outside its target folder. Refused: the empty name, a slash or a
// backslash anywhere, any byte below 0x20 (NUL, CR, LF, ...), and names made only of dots
// and blanks ("." and "..", and "... " which Windows trims to them).
bool IsSafeEntryName(std::string_view name);

// Splits a whole listing (bytes as received) into lines (LF or CRLF; a final line without LF
// counts), skips blank lines, lines over kMaxListingLine, and lines that do not parse. With
// skipUnsafe, entries whose name fails IsSafeEntryName are dropped too, as are "." and "..",
// and MLSD cdir/pdir. Throws CInternetException past ListingBuilder's limits.
std::vector<ListingEntry> ParseListing(std::string_view text, ListingFormat format,
                                       std::int64_t nowUtc, bool skipUnsafe = true);

#pragma once
// The texts of a file row: size and modification time as the file list shows them.

#include <cstdint>
#include <string>

// The time in local time as "%m/%d/%y  %I:%M:%S  %p" (two blanks between date and time and
// between time and AM/PM), for example "12/31/98  11:59:59  PM". AM and PM are these two words
// in every locale, as the date sort key relies on them. Times before 1970 and after 2038 are
// written like any other; a time the system calendar cannot hold gives an empty text.
std::string FormatModified(std::int64_t utcSeconds);

// Decimal bytes without separators, for example "5368709127".
std::string FormatSize(std::uint64_t bytes);

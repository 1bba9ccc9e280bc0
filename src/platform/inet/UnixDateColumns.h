#pragma once
// The date columns of an `ls -l` line: "Dec 08 02:28", "Mar  4  2019", "26. Juli 20:10",
// "2. Okt. 2003", "23 май 2011", "2003-09-26 13:45", "09-26 2000", "01-jun-99", East Asian
// dates with year, month and day marks, "Oct 08, 2002 09:47", and midnight as "24:00".

#include "platform/inet/ListingDates.h"

#include <cstddef>
#include <string_view>

namespace listing {

// Reads a date from the first of `available` blank-separated columns; returns how many
// columns it took, 0 when they hold no date.
std::size_t ReadUnixDateColumns(const std::string_view* fields, std::size_t available, ListingDate& date);

}  // namespace listing

#pragma once
// Dates as listings write them, shared by the listing parsers: month names in the languages
// servers are set up in, numeric dates in every order, and the year a date without one has.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace listing {

struct ListingDate {
    std::int64_t year = 0;   // 0 when the listing gave none; then it is inferred
    unsigned month = 0;
    unsigned day = 0;
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
};

// A month's name or abbreviation in any of the languages of the table in ListingDates.cpp
// ("Dec", "dez.", "Juli", "févr", "май"), in any case for ASCII letters and for the first
// letter of a Cyrillic or accented name, with or without a trailing '.' or ',': 1..12, else 0.
unsigned MonthFromAnyName(std::string_view name);

// A two-digit year (from 70 on in the 1900s, below it in the 2000s) or the three-digit years of
// servers that count from 1900 ("103" for 2003); four digits stand as they are.
std::int64_t ExpandYear(std::int64_t year, std::size_t digits);

// One field holding a date of three parts (or two, month and day, without a year), the parts
// joined by '-', '/' or '.': "2003-09-26", "1999/10/12", "24-04-2003", "2004.07.15",
// "01-jun-99", "29-JAN-1996", "Feb-28-1998", "09-26", "02/23/00". A year comes first only
// with four digits. Two numbers before the year are month then day, unless the first cannot
// be a month or the parts are joined by dots (the European day.month.year).
bool ReadNumericDate(std::string_view field, ListingDate& date);

// Seconds since 1970 of a date; one without a year is given the year that puts it no more
// than a day ahead of nowUtc. Nothing for an impossible date (30 February).
std::optional<std::int64_t> ResolveListingTime(const ListingDate& date, std::int64_t nowUtc);

}  // namespace listing

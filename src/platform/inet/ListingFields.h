#pragma once
// Scanners shared by the listing parsers. They work on slices of the line and never allocate,
// so that a listing of a hundred thousand entries costs one string per name and nothing more.

#include "platform/AsciiCase.h"

#include <charconv>
#include <cstddef>
#include <string_view>
#include <system_error>

namespace listing {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The next field of blank-separated text, starting at `pos`; `pos` moves past it. Empty at the end.
constexpr std::string_view NextField(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !IsBlank(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

// Skips the spaces that pad a column. Tabs are not padding: a name may begin with one.
constexpr std::size_t SkipSpaces(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return pos;
}

// Whether `text` holds nothing but blanks.
constexpr bool IsAllBlank(std::string_view text)
{
    for (const char c : text)
        if (!IsBlank(c))
            return false;
    return true;
}

// Offset of the first byte after `field`, which must be a slice of `text`.
inline std::size_t EndOf(std::string_view text, std::string_view field)
{
    return static_cast<std::size_t>(field.data() - text.data()) + field.size();
}

// The whole of `text` as an unsigned decimal number: digits only, no sign, no overflow.
template <typename Unsigned>
bool ParseDecimal(std::string_view text, Unsigned& value)
{
    if (text.empty() || !IsDigit(text.front()))
        return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// The whole of `text` as exactly `digits` decimal digits.
template <typename Unsigned>
bool ParseFixedDigits(std::string_view text, std::size_t digits, Unsigned& value)
{
    return text.size() == digits && ParseDecimal(text, value);
}

// English three-letter month name in any case: 1..12, or 0 when it is none.
constexpr unsigned MonthFromName(std::string_view name)
{
    constexpr std::string_view kMonths = "janfebmaraprmayjunjulaugsepoctnovdec";
    if (name.size() != 3)
        return 0;
    const char a = ToLowerAscii(name[0]);
    const char b = ToLowerAscii(name[1]);
    const char c = ToLowerAscii(name[2]);
    for (unsigned m = 0; m < 12; ++m)
        if (kMonths[m * 3] == a && kMonths[m * 3 + 1] == b && kMonths[m * 3 + 2] == c)
            return m + 1;
    return 0;
}

// "H:MM", "HH:MM" or "HH:MM:SS" on a 24-hour clock. Some servers write midnight as "24:00",
// the end of the day; it is taken only where the caller says so (then as the next day's 00:00,
// which the calendar arithmetic gives for hour 24 by itself).
inline bool ParseClock(std::string_view text, unsigned& hour, unsigned& minute, unsigned& second,
                       bool allowEndOfDay = false)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2)
        return false;
    if (!ParseDecimal(text.substr(0, colon), hour) || hour > 24)
        return false;
    if (hour == 24 && (!allowEndOfDay || text.substr(colon) != ":00"))
        return false;
    const std::string_view rest = text.substr(colon + 1);
    second = 0;
    if (rest.size() == 5 && rest[2] == ':') {
        if (!ParseFixedDigits(rest.substr(3), 2, second) || second > 59)
            return false;
    } else if (rest.size() != 2) {
        return false;
    }
    return ParseFixedDigits(rest.substr(0, 2), 2, minute) && minute <= 59;
}

}  // namespace listing

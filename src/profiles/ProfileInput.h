#pragma once
// What the profile and option pages accept from their edit fields, as plain text rules.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Blank, tab, carriage return, line feed, vertical tab and form feed removed from both ends;
// white space inside is kept.
std::string TrimWhiteSpace(std::string_view text);

// The ports a profile may name.
inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 65535;
// One decimal port number from kFirstPort to kLastPort, optionally with a plus sign, blanks or
// tabs around it. The profile keeps the port in 16 signed bits, which the connection reads as
// unsigned: ports above 32767 come back negative (65535 as -1). Anything else (an empty field,
// letters, 0, a negative or too large number) gives no value.
std::optional<std::int16_t> ParsePortText(std::string_view text);
// The port a stored 16-bit value stands for, as the page shows it (-1 shows as 65535).
int PortNumberOf(std::int16_t stored);
// What the page tells the user when the port is not one of those.
inline constexpr char kPortRangeMessage[] = "Please enter a port number from 1 to 65535.";

// The stored profile and setting texts separate their fields with line feeds, so a field that
// kept a carriage return or line feed inside would split into two at the next start.
bool HasLineBreak(std::string_view text);
// What the pages tell the user when a field holds one.
inline constexpr char kLineBreakMessage[] = "This field cannot contain a line break.";

#pragma once
// What the profile and option pages accept from their edit fields, as plain text rules.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Blank, tab, carriage return, line feed, vertical tab and form feed removed from both ends;
// white space inside is kept.
std::string TrimWhiteSpace(std::string_view text);

// One decimal integer with an optional sign, blanks or tabs around it, that fits in 16 signed
// bits. Anything else (an empty field, letters, a number out of range) gives no value.
std::optional<std::int16_t> ParsePortText(std::string_view text);

// The stored profile and setting texts separate their fields with line feeds, so a field that
// kept a carriage return or line feed inside would split into two at the next start.
bool HasLineBreak(std::string_view text);
// What the pages tell the user when a field holds one.
inline constexpr char kLineBreakMessage[] = "This field cannot contain a line break.";

#include "profiles/ProfileInput.h"

#include <limits>

namespace {
constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
constexpr std::string_view kPortBlanks = " \t";
} // namespace

std::string TrimWhiteSpace(std::string_view text)
{
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kWhiteSpace);
    return std::string(text.substr(first, last - first + 1));
}

std::optional<std::int16_t> ParsePortText(std::string_view text)
{
    const auto first = text.find_first_not_of(kPortBlanks);
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(kPortBlanks) - first + 1);

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;

    // Accumulated as a magnitude with a bound one past the 16-bit range, so a long run of
    // digits cannot overflow on the way.
    constexpr std::int32_t kMagnitudeLimit = -static_cast<std::int32_t>(std::numeric_limits<std::int16_t>::min());
    std::int32_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kMagnitudeLimit)
            return std::nullopt;
    }
    const std::int32_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

#include "profiles/ProfileInput.h"


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
    if (text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;

    // Stops at the first digit past the range, so a long run of digits cannot overflow.
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kLastPort)
            return std::nullopt;
    }
    if (value < kFirstPort)
        return std::nullopt;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

int PortNumberOf(std::int16_t stored)
{
    return static_cast<std::uint16_t>(stored);
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

#include "platform/inet/PassiveReply.h"

#include <array>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number of 1 to `maxDigits` digits at `pos`, advancing `pos` past it.
std::optional<unsigned> ReadNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits)
{
    std::size_t start = pos;
    unsigned value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (pos - start >= maxDigits)
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(text[pos] - '0');
        ++pos;
    }
    if (pos == start)
        return std::nullopt;
    return value;
}

std::optional<std::array<unsigned, 6>> SixNumbersAt(std::string_view text, std::size_t pos)
{
    std::array<unsigned, 6> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ',')
                return std::nullopt;
            ++pos;
        }
        auto number = ReadNumber(text, pos, 3);
        if (!number || *number > 255)
            return std::nullopt;
        numbers[i] = *number;
    }
    return numbers;
}

}  // namespace

std::optional<std::uint16_t> ParsePasvPort(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (!IsDigit(text[pos]) || (pos > 0 && IsDigit(text[pos - 1])))
            continue;
        if (auto numbers = SixNumbersAt(text, pos)) {
            unsigned port = (*numbers)[4] * 256 + (*numbers)[5];
            if (port == 0)
                return std::nullopt;
            return static_cast<std::uint16_t>(port);
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> ParseEpsvPort(std::string_view text)
{
    for (std::size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open + 1)) {
        std::size_t pos = open + 1;
        if (pos + 3 > text.size())
            return std::nullopt;
        const char delimiter = text[pos];
        if (delimiter < 33 || delimiter > 126 || IsDigit(delimiter))
            continue;
        if (text[pos + 1] != delimiter || text[pos + 2] != delimiter)
            continue;
        pos += 3;
        auto port = ReadNumber(text, pos, 5);
        if (!port || pos + 1 >= text.size() || text[pos] != delimiter || text[pos + 1] != ')')
            continue;
        if (*port == 0 || *port > 65535)
            return std::nullopt;
        return static_cast<std::uint16_t>(*port);
    }
    return std::nullopt;
}

#pragma once
// Comparison without regard to case, the same in every locale: ASCII letters fold to lower
// case and every other byte compares by its value, so UTF-8 texts keep their code point order.
// The registry compares key and value names this way; whatever must agree with it (the profile
// list, the trees' labels, the listing parsers' keywords) uses these functions too.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

constexpr char ToLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` with its ASCII letters in lower case, for a key that must match without regard to case.
inline std::string ToLowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return ToLowerAscii(c); });
    return text;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i]))
            return false;
    }
    return true;
}

constexpr bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// Negative, zero or positive as `a` sorts before, with or after `b`; zero for texts that differ
// only in case.
constexpr int CompareNoCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(ToLowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(ToLowerAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

// The order of names shown in a list: CompareNoCase, and texts that differ only in case by their
// bytes, so that the order is total and every sort of the same names gives the same sequence.
// Zero only for identical texts.
constexpr int CompareNoCaseThenBytes(std::string_view a, std::string_view b)
{
    const int folded = CompareNoCase(a, b);
    if (folded != 0)
        return folded;
    const int exact = a.compare(b);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

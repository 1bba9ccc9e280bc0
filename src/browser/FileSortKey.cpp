#include "browser/FileSortKey.h"

#include "browser/TextFold.h"

namespace {

// Positions in "mm/dd/yy  hh:mm:ss  AM".
constexpr std::size_t kYearStart = 6;
constexpr std::size_t kYearLength = 2;
constexpr std::size_t kMonthDayLength = 5;
constexpr std::size_t kHalfDayLength = 2;
constexpr std::size_t kTimeStart = 8;
constexpr const char* kWhiteSpace = " \t\r\n\v\f";

// Like CString's Mid: a start beyond the end gives an empty text.
std::string Mid(const std::string& text, std::size_t start, std::size_t count = std::string::npos)
{
    return start >= text.size() ? std::string() : text.substr(start, count);
}

std::string Right(const std::string& text, std::size_t count)
{
    return text.size() <= count ? text : text.substr(text.size() - count);
}

std::string DateKey(const std::string& modified)
{
    const std::size_t last = modified.find_last_not_of(kWhiteSpace);
    const std::string text = last == std::string::npos ? std::string() : modified.substr(0, last + 1);
    return Mid(text, kYearStart, kYearLength) + Mid(text, 0, kMonthDayLength) + Right(text, kHalfDayLength) +
           Mid(text, kTimeStart);
}

std::string TypeKey(const std::string& name)
{
    const std::size_t dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

// The first `count` characters; a UTF-8 sequence is kept whole or not at all.
std::string FirstCharacters(const std::string& text, std::size_t count)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == count)
            return text.substr(0, i);
    }
    return text;
}

}  // namespace

std::string FileSortKey(int arrangeBy, const std::string& name, const std::string& modified)
{
    std::string key;
    switch (arrangeBy) {
    case kArrangeByDate: key = DateKey(modified); break;
    case kArrangeByType: key = TypeKey(name); break;
    default: key = name; break;
    }
    return FirstCharacters(key, kSortKeyLength);
}

int CompareSortKeys(const std::string& a, const std::string& b)
{
    return CompareFolded(a, b);
}

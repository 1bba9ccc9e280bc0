#include "platform/inet/PwdReply.h"

std::optional<std::string> ParsePwdReply(std::string_view text)
{
    const std::size_t open = text.find('"');
    if (open == std::string_view::npos) {
        std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos || text[start] != '/')
            return std::nullopt;
        std::size_t end = text.find(' ', start);
        return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
    }
    std::string directory;
    for (std::size_t pos = open + 1; pos < text.size(); ++pos) {
        if (text[pos] != '"') {
            directory += text[pos];
            continue;
        }
        if (pos + 1 < text.size() && text[pos + 1] == '"') {
            directory += '"';
            ++pos;
            continue;
        }
        if (directory.empty())
            return std::nullopt;
        return directory;
    }
    return std::nullopt;   // no closing quote
}

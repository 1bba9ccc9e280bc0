#include "platform/inet/RemotePath.h"

std::optional<std::string> NormalizeRemoteDirectory(std::string_view path)
{
    if (path.empty() || path.front() != '/')
        return std::nullopt;
    std::string normalized;
    std::size_t pos = 0;
    while (pos < path.size()) {
        while (pos < path.size() && path[pos] == '/')
            ++pos;
        std::size_t end = path.find('/', pos);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view component = path.substr(pos, end - pos);
        if (component == "." || component == "..")
            return std::nullopt;
        if (!component.empty()) {
            normalized += '/';
            normalized += component;
        }
        pos = end;
    }
    return normalized.empty() ? std::string("/") : normalized;
}

std::optional<std::string> ResolveRemoteDirectory(std::string_view base, std::string_view path)
{
    if (path.empty())
        return std::nullopt;
    if (path.front() == '/')
        return NormalizeRemoteDirectory(path);
    if (base.empty() || base.front() != '/')
        return std::nullopt;
    std::string joined(base);
    joined += '/';
    joined += path;
    return NormalizeRemoteDirectory(joined);
}

bool IsSameOrInside(std::string_view path, std::string_view ancestor)
{
    if (ancestor == "/")
        return !path.empty() && path.front() == '/';
    if (path.substr(0, ancestor.size()) != ancestor)
        return false;
    return path.size() == ancestor.size() || path[ancestor.size()] == '/';
}

FindPattern SplitFindPattern(std::string_view pattern)
{
    FindPattern result;
    const std::size_t slash = pattern.rfind('/');
    std::string_view last = slash == std::string_view::npos ? pattern : pattern.substr(slash + 1);
    if (slash != std::string_view::npos)
        result.directory = std::string(slash == 0 ? std::string_view("/") : pattern.substr(0, slash));
    if (last == "*" || last.empty())
        result.wholeDirectory = true;
    else
        result.name = std::string(last);
    return result;
}

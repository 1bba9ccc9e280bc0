#pragma once
// Remote path arithmetic for remembering the server's current directory. Only plain absolute
// paths are computed here; anything with "." or ".." is left to the server to resolve,
// because symbolic links on the server can make ".." mean something else.

#include <optional>
#include <string>
#include <string_view>

// "/a//b/" -> "/a/b"; "/" stays "/". nullopt for a relative path or one with "." or "..".
std::optional<std::string> NormalizeRemoteDirectory(std::string_view path);

// `path` resolved against the absolute directory `base` (absolute paths ignore `base`).
std::optional<std::string> ResolveRemoteDirectory(std::string_view base, std::string_view path);

// True when `path` is `ancestor` or lies below it (both normalized).
bool IsSameOrInside(std::string_view path, std::string_view ancestor);

// What a finder pattern asks for: a whole directory ("*", "dir/*"), or the entries of one
// name in a directory ("name", "dir/name"). An empty directory means the current one.
struct FindPattern {
    std::string directory;
    std::string name;
    bool wholeDirectory = false;
};
FindPattern SplitFindPattern(std::string_view pattern);

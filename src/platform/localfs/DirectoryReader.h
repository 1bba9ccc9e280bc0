#pragma once
// Reads entries of a native folder for the local finder.

#include "platform/localfs/DirectoryEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace localfs {

// The entries of `folder` whose names match `wildcard` ("*" any run of characters, "?" one
// character, nothing else special): "." and ".." first, then case-insensitive name order.
// When the folder cannot be opened the result is empty and `error` holds the system's errno
// (0 otherwise), so that a caller can tell an unreadable folder from an empty one.
std::vector<DirectoryEntry> ReadDirectory(const std::string& folder, const std::string& wildcard, int& error);

// The entry `name` of `folder`, or nullopt when there is none.
std::optional<DirectoryEntry> ReadEntry(const std::string& folder, const std::string& name);

}  // namespace localfs

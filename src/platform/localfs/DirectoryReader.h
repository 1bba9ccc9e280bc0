#pragma once
// Reads entries of a native folder for the local finder.

#include "platform/localfs/DirectoryEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace localfs {

// The entries of `folder` whose names match `wildcard` ("*" any run of characters, "?" one
// character, nothing else special): "." and ".." first, then case-insensitive name order.
// Empty when the folder cannot be read.
std::vector<DirectoryEntry> ReadDirectory(const std::string& folder, const std::string& wildcard);

// The entry `name` of `folder`, or nullopt when there is none.
std::optional<DirectoryEntry> ReadEntry(const std::string& folder, const std::string& name);

}  // namespace localfs

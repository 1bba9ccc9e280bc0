#pragma once
// The store's file: the regedit text format ("REGEDIT4", [HKEY_CURRENT_USER\...] sections,
// "name"=value lines). Only the root HKEY_CURRENT_USER is known.

#include "platform/registry/RegistryTree.h"

#include <string>
#include <string_view>

// The whole tree as file text. Every value round-trips exactly: data that the string or dword
// forms cannot carry byte for byte is written in the hex(N) form of its type.
std::string FormatRegistryFile(const RegistryNode& root);

// The size of FormatRegistryFile(root), without building the text.
std::size_t FormattedSize(const RegistryNode& root);
// What one value adds to the file, and what the section of a key adds whose path below the
// root is `subkeyPathLength` characters long (\Software\Ferrix is 16): enough to keep the
// size of a tree up to date as it changes.
std::size_t FormattedValueSize(const RegistryValue& value);
std::size_t FormattedSectionSize(std::size_t subkeyPathLength);

// Fills `root` (which should be empty) from file text. False when the text is not a store file
// of this format, or names keys deeper or names longer than the store allows; `root` then
// holds whatever had been read and should be discarded.
bool ParseRegistryFile(std::string_view text, RegistryNode& root);

// Names that a line of the file cannot hold (line breaks) are refused by the API.
bool IsStorableName(std::string_view name);

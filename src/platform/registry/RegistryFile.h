#pragma once
// The store's file: the regedit text format ("REGEDIT4", [HKEY_CURRENT_USER\...] sections,
// "name"=value lines). Only the root HKEY_CURRENT_USER is known.

#include "platform/registry/RegistryTree.h"

#include <string>
#include <string_view>

// The whole tree as file text. Every value round-trips exactly: data that the string or dword
// forms cannot carry byte for byte is written in the hex(N) form of its type.
std::string FormatRegistryFile(const RegistryNode& root);

// Fills `root` (which should be empty) from file text. False when the text is not a store file
// of this format; `root` then holds whatever had been read and should be discarded.
bool ParseRegistryFile(std::string_view text, RegistryNode& root);

// Names that a line of the file cannot hold (line breaks) are refused by the API.
bool IsStorableName(std::string_view name);

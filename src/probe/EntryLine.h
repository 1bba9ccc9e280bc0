#pragma once
// How ls and stat print an entry: "TYPE SIZE TIME NAME", type d (directory), l (symbolic link)
// or - (file), time in ISO 8601 UTC. Names are printed as PrintableText makes them.

#include <cstdint>
#include <string>

class CFileFinder;

std::string FormatEntryLine(const CFileFinder& entry);
// "2024-01-01T12:00:00Z"
std::string FormatUtcTime(std::int64_t secondsSince1970);

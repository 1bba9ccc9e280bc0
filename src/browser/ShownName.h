#pragma once
// How a name from a disk or a server is shown. Names are bytes: a folder may carry a name in
// Latin-1 or any other legacy encoding, or bytes that are no text at all. The program keeps
// those bytes for every operation and shows a legible form of them.

#include <string>
#include <string_view>

// `name` as valid UTF-8: well-formed UTF-8 sequences stay as they are; every byte that is not
// part of one, and every control character, is written as "\x" and two upper-case hex digits
// ("dir\xFF", "caf\xE9.txt", "tab\x09name"). The result is for display only: it never names
// anything.
std::string ShownName(std::string_view name);

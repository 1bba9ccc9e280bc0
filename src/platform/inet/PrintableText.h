#pragma once
// Text from a server or a disk made safe to show: names and replies are bytes, which may be in
// Latin-1 or any legacy encoding, or no text at all, and may carry terminal escape sequences.

#include <string>
#include <string_view>

// `text` as printable UTF-8: well-formed UTF-8 sequences of printable characters stay as they
// are; every byte that is not part of one, and every control character (C0, DEL, and the C1
// range that terminals also obey), is written as "\x" and two upper-case hex digits ("dir\xFF",
// "caf\xE9.txt", "tab\x09name"), so that an escape sequence can neither retitle, clear nor
// rewrite a terminal, and a window never shows a blank for a name. For display only: the
// result never names anything.
std::string PrintableText(std::string_view text);

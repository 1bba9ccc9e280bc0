#pragma once
// Text from a server made safe for a terminal: control bytes (C0, DEL and the C1 range that
// terminals also obey) and bytes that are not UTF-8 are shown as \xNN, so that an escape
// sequence in a reply or a file name can neither retitle, clear nor rewrite the user's screen.

#include <string>
#include <string_view>

std::string PrintableText(std::string_view text);

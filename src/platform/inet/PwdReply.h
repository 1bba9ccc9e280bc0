#pragma once
// The directory of a 257 reply (to PWD or MKD): `257 "/a ""quoted"" name" is current`.

#include <optional>
#include <string>
#include <string_view>

// `text` is the reply's first line after the code. A doubled quote inside the quotes is one
// quote (RFC 959 appendix II). Without quotes, a path starting with "/" up to the first space
// is accepted, as a few servers send it bare. nullopt when there is no directory.
std::optional<std::string> ParsePwdReply(std::string_view text);

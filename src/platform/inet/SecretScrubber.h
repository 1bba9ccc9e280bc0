#pragma once
// Keeps a password out of texts shown to the user or written to logs (server replies may echo
// it, a hostile server on purpose).

#include <string>
#include <string_view>

// `text` with every occurrence of `secret` replaced by asterisks. A secret shorter than
// kWholeWordBelow characters is replaced only where it stands alone (not inside a word), so
// that a password "a" does not turn the letters of every reply into asterisks.
std::string ScrubSecret(std::string text, std::string_view secret);

inline constexpr std::size_t kWholeWordBelow = 3;

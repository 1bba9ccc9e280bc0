#pragma once
// The port numbers of passive-mode replies. The host part of a 227 reply is deliberately not
// returned: the data connection goes to the control connection's peer, whatever the server
// says, so that a hostile server cannot aim the client at another host.

#include <cstdint>
#include <optional>
#include <string_view>

// 227 reply text: six numbers "h1,h2,h3,h4,p1,p2" found anywhere (some servers leave out the
// parentheses), each at most 255. nullopt if there are none or the port is 0.
std::optional<std::uint16_t> ParsePasvPort(std::string_view text);

// 229 reply text: "(|||port|)" with any printable delimiter (RFC 2428). nullopt if malformed.
std::optional<std::uint16_t> ParseEpsvPort(std::string_view text);

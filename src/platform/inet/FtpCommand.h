#pragma once
// Builds the bytes of one FTP command.

#include <string>
#include <string_view>

// "VERB argument\r\n" (or "VERB\r\n" without an argument). Throws CInternetException
// ERROR_INTERNET_INVALID_PARAMETER when the argument holds a byte below 0x20 (a CR or LF
// would let a file name smuggle in a second command). A 0xFF byte is doubled, as Telnet
// (RFC 854) requires of the control connection.
std::string FormatCommand(std::string_view verb, std::string_view argument = {});

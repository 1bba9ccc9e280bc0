#pragma once
// The commands of ferrix-probe. Each returns the exit status (0 done, 1 failed) and reports a
// failure on `err` with the library's code and text. Library exceptions pass through.

#include "probe/Options.h"

#include <cstdint>
#include <iosfwd>
#include <string>

class CFtpConnection;

int RunConnectionCommand(CFtpConnection& connection, const ProbeOptions& options, std::ostream& out,
                         std::ostream& err);
int RunParseListing(const ProbeOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

// Used by the commands: reports a failure of `what` with the library's code and text (server
// text made printable); returns 1. ReportFailure takes the connection's last error.
int ReportError(const std::string& what, std::uint32_t code, const std::string& text, std::ostream& err);
int ReportFailure(const CFtpConnection& connection, const std::string& what, std::ostream& err);

int GetFile(CFtpConnection& connection, const ProbeOptions& options, std::ostream& err);
int PutFile(CFtpConnection& connection, const ProbeOptions& options, std::ostream& err);

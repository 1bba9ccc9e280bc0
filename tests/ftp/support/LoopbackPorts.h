#pragma once
// Ports on 127.0.0.1 for the servers the tests start: every server gets ports of its own, so
// that test executables running side by side never meet.

#include <chrono>
#include <cstdint>
#include <string>

struct PortRange {
    std::uint16_t first = 0;
    std::uint16_t last = 0;
};

// A port that nothing listens on now (the kernel's choice for a bind to port 0).
std::uint16_t FreeLoopbackPort();
// `count` consecutive ports that are all free now, for a server's passive data connections.
PortRange FreeLoopbackPortRange(int count);
// True once a connection to 127.0.0.1:port succeeds; false after `timeout`.
bool WaitUntilAccepting(std::uint16_t port, std::chrono::milliseconds timeout);
// The same for a server on another loopback address ("127.0.0.1" or "::1").
bool WaitUntilAccepting(const std::string& address, std::uint16_t port, std::chrono::milliseconds timeout);

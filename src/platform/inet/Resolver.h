#pragma once
// Host name resolution for the control connection.

#include "platform/inet/SocketAddress.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// Every TCP address of `host` (a name or a numeric IPv4/IPv6 address), in the order the system
// prefers. Throws CInternetException ERROR_INTERNET_NAME_NOT_RESOLVED when there is none, and
// ERROR_INTERNET_TIMEOUT when the system's resolver has not answered within `timeout` (a dead
// name server must not hang the window).
std::vector<SocketAddress> ResolveHost(const std::string& host, std::uint16_t port,
                                       std::chrono::milliseconds timeout);

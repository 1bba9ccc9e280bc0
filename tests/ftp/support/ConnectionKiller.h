#pragma once
// Cuts this process's own connections as a router that forgets them would, for tests of what
// the client does when a connection drops: the socket is destroyed in the kernel (`ss -K`), so
// the client's next read or write fails and the server receives a reset. Needs root with
// CAP_NET_ADMIN and a kernel that destroys sockets on request.

#include <cstdint>

// True when connections can be cut here (tried once on a connection of its own).
bool CanKillConnections();

// Destroys every established TCP connection of this process to 127.0.0.1 except those to
// `keepPort` (the control connection); returns how many it destroyed.
int KillConnectionsExcept(std::uint16_t keepPort);

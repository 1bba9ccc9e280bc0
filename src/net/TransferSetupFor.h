#pragma once
// The setup of a copy batch from the program's state: the profile that the source region's
// connection was opened with (for a second connection within that host) and the transfer type
// setting, read as it stands whenever a file is opened.

#include "net/FileTransfer.h"
#include "profiles/ProfileState.h"

#include <array>

// `regionConnections` are the connections of regions 0 and 1 (null where a region has none); the
// source's region is 0 when the source is region 0's connection, else 1.
TransferSetup TransferSetupFor(const ProfileState& state, Endpoint source,
                               const std::array<CFtpConnection*, 2>& regionConnections, SessionFactory makeSession);

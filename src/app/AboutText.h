#pragma once
// The changing lines of the About box: the version, the free memory and the free space of the
// current drive, as plain text from what the system reported.

#include "platform/system/SystemStatus.h"

#include <cstdint>
#include <optional>
#include <string>

// "Ferrix FTP Version 2.02": the build's version number major.minor.patch read as
// major + minor/10 + patch/100.
std::string AboutVersionLine();
// "<n> KB free memory available" (bytes / 1024, rounded down), or "Unavailable".
std::string AboutMemoryLine(std::optional<std::uint64_t> availableBytes);
// "<n> KB Free on C:" for drive `letter`, or "Unavailable" for no drive or a failed query.
std::string AboutDiskLine(char letter, const std::optional<DiskFreeSpace>& space);
// The free kilobytes of a disk: clusters x sectors x bytes / 1024, rounded down. A product
// beyond 64 bits (no disk has one) gives the largest number rather than a wrapped one.
std::uint64_t FreeKilobytes(const DiskFreeSpace& space);

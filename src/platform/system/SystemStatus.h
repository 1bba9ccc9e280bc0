#pragma once
// What the system says about free memory and free disk space, in the platform's terms: the
// available physical memory in bytes, and a disk's free space as available clusters, sectors
// per cluster and bytes per sector. Every value is 64 bits wide, so sizes beyond 4 GB are true.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct DiskFreeSpace {
    std::uint64_t availableClusters = 0;   // available to an unprivileged user
    std::uint64_t sectorsPerCluster = 0;
    std::uint64_t bytesPerSector = 0;
};

// The physical memory available to start new programs without swapping: MemAvailable of
// /proc/meminfo, else the free memory the kernel reports. nullopt when neither can be read.
std::optional<std::uint64_t> GetAvailablePhysicalMemory();

// MemAvailable of a /proc/meminfo text, in bytes; nullopt when the line is missing or damaged.
std::optional<std::uint64_t> ParseMemAvailable(std::string_view meminfo);

// The free space of the file system that holds `folder`; nullopt when it cannot be queried.
std::optional<DiskFreeSpace> GetDiskFreeSpace(const std::string& folder);

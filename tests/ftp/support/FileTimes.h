#pragma once
// Modification times that survive a trip through a server's listing.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <filesystem>

// A time some days back, on a whole minute: Unix listings give minutes, and show a time of
// day only for dates within the last half year.
inline std::int64_t RecentMinute()
{
    auto now = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch());
    std::int64_t t = now.count() - 10 * 24 * 3600;
    return t - t % 60;
}

inline void SetModified(const std::filesystem::path& path, std::int64_t secondsSince1970)
{
    const timespec times[2] = {{static_cast<time_t>(secondsSince1970), 0}, {static_cast<time_t>(secondsSince1970), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

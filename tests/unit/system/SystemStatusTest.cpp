#include "platform/system/SystemStatus.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/statvfs.h>

namespace {

TEST(SystemStatusTest, ReadsMemAvailableFromMeminfoText)
{
    const struct {
        const char* text;
        std::optional<std::uint64_t> bytes;
    } cases[] = {
        {"MemTotal:       16303412 kB\nMemFree:         1022788 kB\nMemAvailable:    9216540 kB\n", 9216540ull * 1024},
        // More than 4 GB, and the line first, last without a newline, with tabs or CR LF.
        {"MemAvailable: 68719476736 kB", 68719476736ull * 1024},
        {"MemAvailable:\t12 kB\r\nBuffers: 3 kB\n", 12 * 1024},
        {"MemAvailable:       0 kB\n", 0},
        // Missing or damaged.
        {"MemTotal: 100 kB\nMemFree: 50 kB\n", std::nullopt},
        {"", std::nullopt},
        {"MemAvailable: kB\n", std::nullopt},
        {"MemAvailable: 12 MB\n", std::nullopt},
        {"MemAvailable: -5 kB\n", std::nullopt},
        {"MemAvailable: 99999999999999999999999 kB\n", std::nullopt},
        {"MemAvailable: 18014398509481984 kB\n", std::nullopt},   // bytes beyond 64 bits
        {"XMemAvailable: 12 kB\n", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMemAvailable(c.text), c.bytes) << c.text;
}

TEST(SystemStatusTest, MeasuresTheMachineItRunsOn)
{
    const std::optional<std::uint64_t> memory = GetAvailablePhysicalMemory();
    ASSERT_TRUE(memory.has_value());
    EXPECT_GT(*memory, 0u);

    TempDir folder;
    const std::optional<DiskFreeSpace> space = GetDiskFreeSpace(folder.Str());
    ASSERT_TRUE(space.has_value());
    struct statvfs status {};
    ASSERT_EQ(::statvfs(folder.Str().c_str(), &status), 0);
    EXPECT_EQ(space->bytesPerSector * space->sectorsPerCluster, status.f_frsize);
    // Other programs write to the same disk meanwhile: the same order of magnitude is enough.
    const double measured = static_cast<double>(space->availableClusters) * space->bytesPerSector;
    const double expected = static_cast<double>(status.f_bavail) * status.f_frsize;
    EXPECT_NEAR(measured, expected, expected * 0.05 + 64.0 * 1024 * 1024);

    EXPECT_FALSE(GetDiskFreeSpace((folder.Path() / "missing").string()).has_value());
    EXPECT_FALSE(GetDiskFreeSpace("").has_value());
}

} // namespace

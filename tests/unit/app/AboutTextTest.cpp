#include "app/AboutText.h"

#include <gtest/gtest.h>

namespace {

TEST(AboutTextTest, VersionLineComesFromTheBuildsVersionNumber)
{
    EXPECT_EQ(AboutVersionLine(), "Ferrix FTP Version 2.02");
}

TEST(AboutTextTest, MemoryLineInWholeKilobytes)
{
    const struct {
        std::optional<std::uint64_t> bytes;
        const char* line;
    } cases[] = {
        {0, "0 KB free memory available"},
        {1023, "0 KB free memory available"},
        {1024, "1 KB free memory available"},
        {2047, "1 KB free memory available"},
        {8ull << 30, "8388608 KB free memory available"},        // 8 GB, beyond 32 bits of bytes
        {std::nullopt, "Unavailable"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AboutMemoryLine(c.bytes), c.line);
}

TEST(AboutTextTest, DiskLineMultipliesWithoutOverflow)
{
    const struct {
        char letter;
        std::optional<DiskFreeSpace> space;
        const char* line;
    } cases[] = {
        {'C', DiskFreeSpace{100, 8, 512}, "400 KB Free on C:"},
        {'D', DiskFreeSpace{3, 1, 1000}, "2 KB Free on D:"},        // 3000 bytes, rounded down
        {'C', DiskFreeSpace{0, 8, 512}, "0 KB Free on C:"},
        // 16 GB: clusters x sectors x bytes passes 32 bits on the way.
        {'E', DiskFreeSpace{4194304, 8, 512}, "16777216 KB Free on E:"},
        // 2 TB in 4 kB blocks of a POSIX file system.
        {'Z', DiskFreeSpace{536870912, 1, 4096}, "2147483648 KB Free on Z:"},
        {'C', std::nullopt, "Unavailable"},
        {'\0', DiskFreeSpace{100, 8, 512}, "Unavailable"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AboutDiskLine(c.letter, c.space), c.line) << c.line;
}

TEST(AboutTextTest, FreeKilobytesNeverWrapAround)
{
    EXPECT_EQ(FreeKilobytes({1ull << 40, 1ull << 20, 1ull << 20}), UINT64_MAX / 1024);
    EXPECT_EQ(FreeKilobytes({1ull << 53, 1, 1024}), 1ull << 53);
    EXPECT_EQ(FreeKilobytes({1ull << 54, 1, 1024}), UINT64_MAX / 1024);
}

} // namespace

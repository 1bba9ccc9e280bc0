// The dialog's text lines and bar arithmetic.

#include "net/ProgressText.h"

#include <gtest/gtest.h>

namespace {

struct ProgressCase {
    std::uint64_t done;
    std::uint64_t total;
    std::int64_t elapsed;
    const char* status;
    const char* timeLeft;
    const char* percent;
};

}  // namespace

TEST(ProgressTextTest, LinesFollowTheCopysArithmetic)
{
    const ProgressCase cases[] = {
        {0, 1048576, 0, "0K of 1024K ( in 0K/sec )", "00:00:00 of 00:00:00", "0%"},
        {512000, 1048576, 4, "500K of 1024K ( in 128K/sec )", "00:00:04 of 00:00:08", "48%"},
        // Under one unit of 1024 bytes on both sides, yet complete.
        {1023, 1023, 0, "0K of 0K ( in 0K/sec )", "00:00:00 of 00:00:00", "100%"},
        // No whole second has passed: no rate however much is done.
        {900000, 1048576, 0, "878K of 1024K ( in 0K/sec )", "00:00:00 of 00:00:00", "85%"},
        // More arrived than was announced.
        {3072, 1024, 1, "3K of 1K ( in 3K/sec )", "00:00:00 of 00:00:00", "300%"},
        // A day and more keeps its true hours.
        {1, 26, 3600, "0K of 0K ( in 0K/sec )", "25:00:00 of 26:00:00", "3%"},
        // Beyond 4 GiB.
        {5ULL << 30, 6ULL << 30, 10, "5242880K of 6291456K ( in 536870K/sec )", "00:00:02 of 00:00:12", "83%"},
    };
    for (const ProgressCase& c : cases) {
        const ProgressLines lines = FormatProgress(c.done, c.total, c.elapsed);
        EXPECT_EQ(lines.status, c.status) << c.done << " of " << c.total;
        EXPECT_EQ(lines.timeLeft, c.timeLeft) << c.done << " of " << c.total;
        EXPECT_EQ(lines.percent, c.percent) << c.done << " of " << c.total;
    }
    EXPECT_EQ(FormatDuration(59), "00:00:59");
    EXPECT_EQ(FormatDuration(3 * 86400 + 61), "72:01:01");
    EXPECT_EQ(FormatDuration(-5), "00:00:00");
}

TEST(ProgressTextTest, BarOfAMebibyteEndsShortOfFull)
{
    const BarScale bar = BarScale::ForSize(1048576);
    EXPECT_EQ(bar.range, 65535U);
    EXPECT_FLOAT_EQ(bar.scale, 0.0624990463F);
    std::uint32_t position = 0;
    for (int block = 0; block < 102; ++block)
        position += bar.Step(10240);
    EXPECT_EQ(bar.Step(10240), 639U);
    EXPECT_EQ(bar.Step(4096), 255U);
    position += bar.Step(4096);
    EXPECT_EQ(position, 65433U);
}

TEST(ProgressTextTest, SmallFilesMoveTheBarByTheirBytes)
{
    for (const std::uint64_t size : {1ULL, 10240ULL, 65535ULL}) {
        const BarScale bar = BarScale::ForSize(size);
        EXPECT_EQ(bar.range, size);
        EXPECT_EQ(bar.Step(static_cast<std::uint32_t>(std::min<std::uint64_t>(size, 10240))), std::min<std::uint64_t>(size, 10240));
    }
    const BarScale empty = BarScale::ForSize(0);
    EXPECT_EQ(empty.range, 0U);
    EXPECT_EQ(empty.scale, 1.0F);
}

TEST(ProgressTextTest, BarOfAHugeFileStillFills)
{
    // A block of a 5 GiB file is less than one step of the bar: the steps are carried over.
    const std::uint64_t size = 5ULL << 30;
    const BarScale bar = BarScale::ForSize(size);
    EXPECT_EQ(bar.range, 65535U);
    EXPECT_EQ(bar.Step(10240), 0U);
    double carried = 0;
    std::uint64_t position = 0;
    std::uint64_t done = 0;
    for (; done + 10240 <= size / 2; done += 10240)
        position += bar.Step(10240, carried);
    EXPECT_NEAR(static_cast<double>(position), 65535.0 / 2, 2.0);
    // Blocks that move the bar on their own are stepped as before.
    double unused = 0;
    EXPECT_EQ(BarScale::ForSize(1048576).Step(10240, unused), 639U);
    EXPECT_EQ(unused, 0.0);
}

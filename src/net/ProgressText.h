#pragma once
// The arithmetic of the "Copying..." dialog: its three text lines and its progress bar. Plain
// values in, plain text out, so that it can be checked without a window.

#include <cstdint>
#include <string>

struct ProgressLines {
    std::string status;     // "500K of 1024K ( in 128K/sec )"
    std::string timeLeft;   // "00:00:04 of 00:00:08"
    std::string percent;    // "48%"
};

// A span of whole seconds as "HH:MM:SS". The hours are the true count (25 hours read 25:00:00,
// never 01:00:00); a negative span reads as 00:00:00.
std::string FormatDuration(std::int64_t seconds);

// The lines for `done` of `total` bytes (total > 0), `elapsed` whole seconds after the file's
// first call. Sizes are shown in units of 1024 bytes, the rate in units of 1000 bytes per second;
// every division truncates. More done than total gives a percentage beyond 100.
ProgressLines FormatProgress(std::uint64_t done, std::uint64_t total, std::int64_t elapsed);

// The progress bar of one file. Its range is the size, capped at kBarMaximum; each block moves
// it by the block's length times the scale, truncated, so a large file may end a little short of
// the full bar (a 1 MiB file in 10240-byte blocks ends at 65433 of 65535).
struct BarScale {
    static constexpr std::uint32_t kBarMaximum = 0xFFFF;

    std::uint32_t range = 0;
    float scale = 1.0F;   // range / size in single precision; 1 for an empty file

    static BarScale ForSize(std::uint64_t size);
    std::uint32_t Step(std::uint32_t bytes) const;
    // The same, except that a block too small to move the bar by one step on its own (every
    // block of a file over about 640 MiB) is added up in `carried` until it does: otherwise
    // the bar of such a file would never move.
    std::uint32_t Step(std::uint32_t bytes, double& carried) const;
};

#include "net/ProgressText.h"

#include <algorithm>
#include <cstdio>

std::string FormatDuration(std::int64_t seconds)
{
    seconds = std::max<std::int64_t>(seconds, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

ProgressLines FormatProgress(std::uint64_t done, std::uint64_t total, std::int64_t elapsed)
{
    elapsed = std::max<std::int64_t>(elapsed, 0);
    const auto elapsedCount = static_cast<std::uint64_t>(elapsed);
    const std::int64_t estimated =
        done == 0 ? 0 : static_cast<std::int64_t>(static_cast<double>(elapsed) * static_cast<double>(total) / static_cast<double>(done));
    const std::uint64_t rate = elapsedCount == 0 ? 0 : done / (elapsedCount * 1000);

    ProgressLines lines;
    lines.timeLeft = FormatDuration(estimated - elapsed) + " of " + FormatDuration(estimated);
    char text[128];
    std::snprintf(text, sizeof text, "%lluK of %lluK ( in %lluK/sec )", static_cast<unsigned long long>(done >> 10),
                  static_cast<unsigned long long>(total >> 10), static_cast<unsigned long long>(rate));
    lines.status = text;
    const double percent = static_cast<double>(done) / static_cast<double>(total) * 100.0;
    std::snprintf(text, sizeof text, "%lld%%", static_cast<long long>(percent));
    lines.percent = text;
    return lines;
}

BarScale BarScale::ForSize(std::uint64_t size)
{
    BarScale bar;
    bar.range = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, kBarMaximum));
    bar.scale = size == 0 ? 1.0F : static_cast<float>(bar.range) / static_cast<float>(size);
    return bar;
}

std::uint32_t BarScale::Step(std::uint32_t bytes) const
{
    return static_cast<std::uint32_t>(static_cast<float>(bytes) * scale);
}

std::uint32_t BarScale::Step(std::uint32_t bytes, double& carried) const
{
    if (const std::uint32_t step = Step(bytes); step > 0)
        return step;
    carried += static_cast<double>(bytes) * static_cast<double>(scale);
    const auto whole = static_cast<std::uint32_t>(carried);
    carried -= whole;
    return whole;
}

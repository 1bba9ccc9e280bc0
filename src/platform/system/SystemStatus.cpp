#include "platform/system/SystemStatus.h"

#include <charconv>
#include <fstream>
#include <limits>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>

namespace {
constexpr std::string_view kMemAvailableKey = "MemAvailable:";
constexpr std::uint64_t kMemInfoUnit = 1024;   // /proc/meminfo counts in kB
// A meminfo larger than this is not one the kernel wrote.
constexpr std::size_t kMaxMemInfoSize = 64 * 1024;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
} // namespace

std::optional<std::uint64_t> ParseMemAvailable(std::string_view meminfo)
{
    for (std::size_t start = 0; start < meminfo.size();) {
        std::size_t end = meminfo.find('\n', start);
        if (end == std::string_view::npos)
            end = meminfo.size();
        std::string_view line = meminfo.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with(kMemAvailableKey))
            continue;
        line.remove_prefix(kMemAvailableKey.size());
        while (!line.empty() && IsBlank(line.front()))
            line.remove_prefix(1);
        std::uint64_t kilobytes = 0;
        auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), kilobytes);
        if (error != std::errc() || rest == line.data())
            return std::nullopt;
        std::string_view unit(rest, static_cast<std::size_t>(line.data() + line.size() - rest));
        while (!unit.empty() && IsBlank(unit.front()))
            unit.remove_prefix(1);
        while (!unit.empty() && (IsBlank(unit.back()) || unit.back() == '\r'))
            unit.remove_suffix(1);
        if (unit != "kB" || kilobytes > std::numeric_limits<std::uint64_t>::max() / kMemInfoUnit)
            return std::nullopt;
        return kilobytes * kMemInfoUnit;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> GetAvailablePhysicalMemory()
{
    std::ifstream file("/proc/meminfo");
    if (file) {
        std::string text(kMaxMemInfoSize, '\0');
        file.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(file.gcount()));
        if (auto available = ParseMemAvailable(text))
            return available;
    }
    // Kernels before 3.14 have no MemAvailable; their free memory is the nearest answer.
    struct sysinfo info {};
    if (::sysinfo(&info) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.freeram) * info.mem_unit;
}

std::optional<DiskFreeSpace> GetDiskFreeSpace(const std::string& folder)
{
    struct statvfs status {};
    if (folder.empty() || ::statvfs(folder.c_str(), &status) != 0)
        return std::nullopt;
    // A block of the file system stands for a cluster of one sector.
    DiskFreeSpace space;
    space.availableClusters = status.f_bavail;
    space.sectorsPerCluster = 1;
    space.bytesPerSector = status.f_frsize != 0 ? status.f_frsize : status.f_bsize;
    return space;
}

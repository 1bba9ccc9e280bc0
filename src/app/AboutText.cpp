#include "app/AboutText.h"

#include "platform/system/ProgramVersion.h"
#include "res/StringTable.h"

#include <cstdio>
#include <limits>

namespace {
constexpr std::uint64_t kBytesPerKilobyte = 1024;
constexpr const char* kVersionFormat = "Ferrix FTP Version %3.2f";
constexpr const char* kMemorySuffix = " free memory available";

// One number (and a drive letter) into a string-table format of the About box.
template <typename... Args>
std::string Format(const std::string& format, Args... args)
{
    char text[128];
    const int length = std::snprintf(text, sizeof text, format.c_str(), args...);
    return length < 0 ? std::string() : std::string(text);
}
} // namespace

std::string AboutVersionLine()
{
    const double number = kProgramVersionMajor + kProgramVersionMinor / 10.0 + kProgramVersionPatch / 100.0;
    char text[64];
    std::snprintf(text, sizeof text, kVersionFormat, number);
    return text;
}

std::string AboutMemoryLine(std::optional<std::uint64_t> availableBytes)
{
    if (!availableBytes)
        return LoadString(IDS_UNAVAILABLE);
    const unsigned long kilobytes = *availableBytes / kBytesPerKilobyte;
    return Format(LoadString(IDS_MEMORY_KB), kilobytes) + kMemorySuffix;
}

std::uint64_t FreeKilobytes(const DiskFreeSpace& space)
{
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(space.availableClusters, space.sectorsPerCluster, &bytes) ||
        __builtin_mul_overflow(bytes, space.bytesPerSector, &bytes))
        return std::numeric_limits<std::uint64_t>::max() / kBytesPerKilobyte;
    return bytes / kBytesPerKilobyte;
}

std::string AboutDiskLine(char letter, const std::optional<DiskFreeSpace>& space)
{
    if (letter == '\0' || !space)
        return LoadString(IDS_UNAVAILABLE);
    const unsigned long kilobytes = FreeKilobytes(*space);
    return Format(LoadString(IDS_DISK_FREE), kilobytes, letter);
}

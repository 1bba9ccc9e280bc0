#include "probe/EntryLine.h"

#include "platform/FileFinder.h"
#include "platform/inet/PrintableText.h"

#include <ctime>

std::string FormatUtcTime(std::int64_t secondsSince1970)
{
    std::time_t time = static_cast<std::time_t>(secondsSince1970);
    std::tm parts{};
    char text[64];
    if (!gmtime_r(&time, &parts) || std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts) == 0)
        return "-";
    return text;
}

std::string FormatEntryLine(const CFileFinder& entry)
{
    char type = entry.IsSymbolicLink() ? 'l' : entry.IsDirectory() ? 'd' : '-';
    return std::string(1, type) + ' ' + std::to_string(entry.GetLength()) + ' ' +
           FormatUtcTime(entry.GetLastWriteTime()) + ' ' + PrintableText(entry.GetFileName());
}

#include "platform/localfs/DriveMap.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace localfs {
namespace {

constexpr char kDefaultDrive = 'C';
constexpr const char* kDefaultFolder = "/";

struct DriveTable {
    bool loaded = false;
    std::array<std::optional<std::string>, kDriveCount> folders;
};

DriveTable& Table()
{
    static DriveTable table;
    return table;
}

int DriveIndex(char letter)
{
    if (letter >= 'a' && letter <= 'z')
        return letter - 'a';
    if (letter >= 'A' && letter <= 'Z')
        return letter - 'A';
    return -1;
}

// "/srv//data/./" -> "/srv/data"; the root stays "/".
std::string NormalFolder(const std::string& folder)
{
    std::string normal = std::filesystem::path(folder).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal;
}

void ParseEntry(const std::string& entry, DriveTable& table)
{
    const std::size_t equals = entry.find('=');
    if (equals != 1)
        return;
    const int index = DriveIndex(entry[0]);
    const std::string folder = entry.substr(equals + 1);
    if (index < 0 || folder.empty() || folder.front() != '/')
        return;
    table.folders[index] = NormalFolder(folder);
}

void Load(DriveTable& table)
{
    table.folders.fill(std::nullopt);
    table.loaded = true;
    const char* value = std::getenv(kDriveMapVariable);
    if (value == nullptr) {
        table.folders[DriveIndex(kDefaultDrive)].emplace(kDefaultFolder);
        return;
    }
    const std::string text = value;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        ParseEntry(text.substr(start, end - start), table);
        start = end + 1;
    }
}

const DriveTable& LoadedTable()
{
    DriveTable& table = Table();
    if (!table.loaded)
        Load(table);
    return table;
}

// The rest of `native` below `folder` ("" for the folder itself), or nullopt when `native`
// does not lie below it. Both are normal forms.
std::optional<std::string> RestBelow(const std::string& native, const std::string& folder)
{
    if (folder == "/")
        return native.substr(1);
    if (native == folder)
        return std::string();
    if (native.size() > folder.size() && native.compare(0, folder.size(), folder) == 0 &&
        native[folder.size()] == '/')
        return native.substr(folder.size() + 1);
    return std::nullopt;
}

// The folder as written and, where it differs, as the system resolves it: the current
// directory comes back from the system resolved.
std::vector<std::string> FolderForms(const std::string& folder)
{
    std::vector<std::string> forms{folder};
    std::unique_ptr<char, decltype(&std::free)> real(realpath(folder.c_str(), nullptr), &std::free);
    if (real && folder != real.get())
        forms.emplace_back(real.get());
    return forms;
}

}  // namespace

void ReloadDriveMap()
{
    Load(Table());
}

std::optional<std::string> DriveFolder(char letter)
{
    const int index = DriveIndex(letter);
    if (index < 0)
        return std::nullopt;
    return LoadedTable().folders[index];
}

std::optional<std::string> ToNativePath(const std::string& programPath)
{
    if (programPath.size() < 2 || programPath[1] != ':')
        return std::nullopt;
    if (programPath.find('\0') != std::string::npos)
        return std::nullopt;
    // "D:a" is relative to the drive's current directory: not a full path.
    if (programPath.size() > 2 && programPath[2] != '/')
        return std::nullopt;
    const std::optional<std::string> folder = DriveFolder(programPath[0]);
    if (!folder)
        return std::nullopt;

    std::vector<std::string> parts;
    std::size_t start = 2;
    while (start < programPath.size()) {
        std::size_t end = programPath.find('/', start);
        if (end == std::string::npos)
            end = programPath.size();
        const std::string part = programPath.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (parts.empty())
                return std::nullopt;
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }

    std::string native = *folder;
    for (const std::string& part : parts) {
        if (native.back() != '/')
            native += '/';
        native += part;
    }
    return native;
}

std::optional<std::string> ToProgramPath(const std::string& native, char preferred)
{
    if (native.empty() || native.front() != '/' || native.find('\0') != std::string::npos)
        return std::nullopt;
    const std::string normal = NormalFolder(native);
    const DriveTable& table = LoadedTable();
    const int preferredIndex = DriveIndex(preferred);

    int bestIndex = -1;
    std::size_t bestLength = 0;
    std::string bestRest;
    for (int index = 0; index < kDriveCount; ++index) {
        if (!table.folders[index])
            continue;
        for (const std::string& form : FolderForms(*table.folders[index])) {
            const std::optional<std::string> rest = RestBelow(normal, form);
            if (!rest)
                continue;
            const bool longer = bestIndex < 0 || form.size() > bestLength;
            const bool preferredTie = form.size() == bestLength && index == preferredIndex;
            if (longer || preferredTie) {
                bestIndex = index;
                bestLength = form.size();
                bestRest = *rest;
            }
        }
    }
    if (bestIndex < 0)
        return std::nullopt;
    std::string program{static_cast<char>('A' + bestIndex), ':', '/'};
    program += bestRest;
    return program;
}

}  // namespace localfs

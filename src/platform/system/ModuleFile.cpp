#include "platform/system/ModuleFile.h"

#include <climits>
#include <cstring>
#include <unistd.h>

namespace {

std::string ExecutablePath()
{
    char path[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path)
        return {};
    return std::string(path, static_cast<std::size_t>(length));
}

} // namespace

DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size)
{
    if (module != nullptr || !fileName || size == 0)
        return 0;
    std::string path = ExecutablePath();
    if (path.empty())
        return 0;
    if (path.size() >= size) {
        std::memcpy(fileName, path.data(), size - 1);
        fileName[size - 1] = '\0';
        return size;
    }
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

std::string GetModuleName()
{
    std::string name = ExecutablePath();
    name.erase(0, name.find_last_of('/') + 1);
    if (std::size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

#include "platform/registry/RegistryLocation.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr const char* kFileVariable = "FERRIX_REGISTRY";
constexpr const char* kFolderName = "ferrix-ftp";
constexpr const char* kFileName = "registry.reg";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeDirectory()
{
    std::string home = Environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

} // namespace

std::string RegistryFilePath()
{
    std::string file = Environment(kFileVariable);
    if (!file.empty())
        return file;
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/')
        config = HomeDirectory() + "/.config";
    return config + "/" + kFolderName + "/" + kFileName;
}

#include "platform/localfs/CurrentDirectory.h"

#include "platform/localfs/DriveMap.h"
#include "platform/localfs/UniqueFd.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <optional>

namespace localfs {
namespace {

// The drive last made current. It settles which of two drives with the same folder the
// current directory belongs to, and names the current drive once the folder has gone.
char g_lastDrive = '\0';

bool IsDrivePath(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

}  // namespace

std::string GetCurrentDirectory()
{
    std::error_code error;
    const std::filesystem::path native = std::filesystem::current_path(error);
    if (error)
        return std::string();
    return ToProgramPath(native.string(), g_lastDrive).value_or(std::string());
}

char GetCurrentDrive()
{
    const std::string current = GetCurrentDirectory();
    if (!current.empty())
        return current[0];
    return g_lastDrive;
}

std::string ResolveProgramPath(const std::string& path)
{
    if (path.empty())
        return std::string();
    if (IsDrivePath(path)) {
        // "D:" names the drive's top; "D:a" is not a form the program uses.
        if (path.size() == 2)
            return path + "/";
        return path[2] == '/' ? path : std::string();
    }
    if (!path.empty() && path.front() == '/') {
        const char drive = GetCurrentDrive();
        return drive == '\0' ? std::string() : std::string(1, drive) + ":" + path;
    }
    const std::string current = GetCurrentDirectory();
    if (current.empty())
        return std::string();
    return current.back() == '/' ? current + path : current + "/" + path;
}

bool SetCurrentDirectory(const std::string& path)
{
    const std::string full = ResolveProgramPath(path);
    const std::optional<std::string> native = full.empty() ? std::nullopt : ToNativePath(full);
    if (!native) {
        errno = ENOENT;
        return false;
    }
    int systemError = 0;
    {
        // Opening for reading proves the folder can be listed, fchdir that it can be searched;
        // together they make the change the platform's would be: a folder that could not be
        // listed afterwards is refused.
        const UniqueFd folder(open(native->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!folder || fchdir(folder.Get()) != 0)
            systemError = errno;
    }
    if (systemError != 0) {
        // Kept past the descriptor's close, so that the caller can say why.
        errno = systemError;
        return false;
    }
    g_lastDrive = static_cast<char>(std::toupper(static_cast<unsigned char>(full[0])));
    return true;
}

}  // namespace localfs

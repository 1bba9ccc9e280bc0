#include "net/PathParts.h"

void SplitPath(const std::string& path, std::string& directory, std::string& name)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        directory.clear();
        name = path;
        return;
    }
    directory = path.substr(0, slash + 1);
    name = path.substr(slash + 1);
}

bool IsEntryName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

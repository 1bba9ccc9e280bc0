#include "browser/ItemPath.h"

namespace {

bool StartsWithDrive(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':';
}

}  // namespace

std::string BuildItemPath(const std::vector<std::string>& namesFromItemUp, bool remote, const std::string& rootDir)
{
    std::string path;
    for (const std::string& name : namesFromItemUp)
        path = path.empty() ? name : name + "/" + path;
    if (path.empty())
        return remote ? rootDir : std::string();
    if (remote || !StartsWithDrive(path))
        path.insert(0, 1, '/');
    if (!remote)
        return path;
    std::string root = rootDir;
    if (!root.empty() && root.back() == '/')
        root.pop_back();
    return root + path;
}

std::string JoinItemPath(const std::string& directory, const std::string& name)
{
    if (!directory.empty() && directory.back() == '/')
        return directory + name;
    return directory + "/" + name;
}

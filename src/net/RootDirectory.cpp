#include "net/RootDirectory.h"

#include "platform/inet/FtpFileFind.h"

namespace {
constexpr DWORD_PTR kFinderContext = 1;
} // namespace

bool CheckRootDirectory(CFtpConnection* connection, const std::string& directory)
{
    if (connection == nullptr)
        return false;
    CFtpFileFind finder(connection, kFinderContext);
    bool found = false;
    if (finder.FindFile(directory + "/*", INTERNET_FLAG_RELOAD)) {
        // Servers that list "." and ".." (LIST -a) list them in an empty directory too.
        bool more = true;
        while (more && !found) {
            more = finder.FindNextFile();
            found = !finder.IsDots();
        }
    }
    finder.Close();
    return found;
}

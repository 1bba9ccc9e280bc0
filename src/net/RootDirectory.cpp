#include "net/RootDirectory.h"

#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"

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
    } else if (finder.GetLastErrorCode() == ERROR_INTERNET_OPERATION_CANCELLED) {
        // Stopped by the user: that says nothing about the directory, and the connection was
        // dropped with the wait, so the connect ends here rather than go on to list the root.
        throw CInternetException(ERROR_INTERNET_OPERATION_CANCELLED, finder.GetLastErrorText());
    }
    finder.Close();
    return found;
}

#include "net/FtpFileFindEx.h"

bool CFtpFileFindEx::FindFile(const std::string& pattern, std::uint32_t flags)
{
    for (int attempt = 0; attempt < kFindFirstAttempts; ++attempt) {
        if (CFtpFileFind::FindFile(pattern, flags))
            return true;
        // The listing arrived and holds no such entry: asking again would only say so again.
        // A server that let the time-out pass would only make the user wait as long again.
        if (GetLastErrorCode() == ERROR_NO_MORE_FILES || GetLastErrorCode() == ERROR_INTERNET_TIMEOUT)
            return false;
    }
    return false;
}

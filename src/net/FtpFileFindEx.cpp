#include "net/FtpFileFindEx.h"

bool CFtpFileFindEx::FindFile(const std::string& pattern, std::uint32_t flags)
{
    for (int attempt = 0; attempt < kFindFirstAttempts; ++attempt) {
        if (CFtpFileFind::FindFile(pattern, flags))
            return true;
    }
    return false;
}

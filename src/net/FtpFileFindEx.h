#pragma once
// The remote finder of the program's file operations and directory listings: the library's FTP
// finder with its find-first attempted up to three times, since a listing's data connection can
// fail once on a busy server without the directory being gone. A search that ran and matched
// nothing is an answer, not a failure, and is not repeated; nor is one that timed out.

#include "platform/inet/FtpFileFind.h"

class CFtpFileFindEx : public CFtpFileFind {
public:
    static constexpr int kFindFirstAttempts = 3;

    using CFtpFileFind::CFtpFileFind;
    bool FindFile(const std::string& pattern, std::uint32_t flags = 0) override;
};

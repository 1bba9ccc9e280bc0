#pragma once
// The system account vsftpd's local logins use in the tests, and the privileged steps that
// running vsftpd needs (it must run as root).

#include <sys/types.h>

#include <string>
#include <vector>

struct TestAccount {
    std::string name;
    std::string password;
    uid_t uid = 0;
    gid_t gid = 0;
    std::string pamService;   // the PAM service vsftpd is told to use for it
};

// Creates the account and its PAM service when missing and (re)sets its password. Serialised
// with a lock file, so that test executables starting at once do not race. Throws
// std::runtime_error with the reason when this process has no way to act as root.
TestAccount EnsureTestAccount();

// The command prefix that runs a program as root: nothing when we are root, `sudo -n` when
// that works. Throws std::runtime_error when neither is possible.
std::vector<std::string> RootCommandPrefix();

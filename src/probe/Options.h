#pragma once
// ferrix-probe's command line.

#include "platform/inet/FtpSecurity.h"
#include "probe/Url.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

struct ProbeOptions {
    bool verbose = false;
    bool active = false;
    bool ascii = false;
    bool mlsd = false;                  // parse-listing only
    bool netrc = false;                 // take the login from a login file
    std::string netrcFile;              // that file; empty: ~/.netrc
    std::chrono::milliseconds timeout{30000};
    FtpSecurity security;               // --tls, --trust-fingerprint
    FtpUrl url;                         // not for parse-listing
    std::string command;
    std::vector<std::string> arguments;
};

// A command line that does not fit the usage; its text says what is wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// argv without the program name. Throws UsageError.
ProbeOptions ParseProbeArguments(const std::vector<std::string>& arguments);

extern const char* const kProbeUsage;

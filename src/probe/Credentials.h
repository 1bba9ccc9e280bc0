#pragma once
// Where ferrix-probe's login comes from, so that a password need not stand on the command line
// (where `ps` shows it): the URL's own, else the login file's (--netrc, --netrc-file), else the
// environment's FERRIX_PASSWORD, else a prompt when standard input is a terminal. With no user
// named in the URL or the login file, the login is anonymous.

#include "probe/Options.h"

#include <optional>
#include <string>

struct ProbeLogin {
    std::string user;
    std::string password;
};

inline constexpr const char* kPasswordVariable = "FERRIX_PASSWORD";

// `fromEnvironment`: what TakePasswordFromEnvironment gave. Throws std::runtime_error when a
// login file was asked for and cannot be used.
ProbeLogin ResolveLogin(const ProbeOptions& options, const std::optional<std::string>& fromEnvironment);

// The value of FERRIX_PASSWORD, after which it is wiped from the process's environment (the
// copy other programs of the user can read); nullopt when it is not set.
std::optional<std::string> TakePasswordFromEnvironment();

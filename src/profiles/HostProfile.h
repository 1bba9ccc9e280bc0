#pragma once
// One saved connection. The fields up to `passive` and their order are those the stored layout
// is made of; `security` is kept in a registry value of its own (ProfileSecurity.h), so that
// the profile's own value reads the same to every version of the program.

#include "platform/inet/FtpSecurity.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

struct HostProfile {
    std::string name;
    std::string host;
    std::string user;
    std::string password;
    std::int32_t savePassword = 0;
    std::int32_t anonymous = 0;
    std::string initialDir;
    std::int16_t port = 21;
    std::int32_t useDefaultPort = 1;
    std::int32_t passive = 0;
    // A profile made now asks for encryption; one stored before there was a choice reads as
    // TlsIfAvailable.
    ConnectionSecurity security = ConnectionSecurity::RequireTls;
};

// Profile name (case-sensitive) to its owned record. Inserting under a present name replaces it.
using ProfileList = std::map<std::string, std::unique_ptr<HostProfile>>;

#pragma once
// The profiles and the settings that outlive a run. The application object derives from this
// record, so every part of the program reads and writes these fields on the application
// object directly; the profile code and dialogs take the record itself and know nothing of
// the application.

#include "profiles/HostProfile.h"
#include "profiles/ProfileStore.h"

#include <array>
#include <cstdint>
#include <string>

struct ProfileState {
    ProfileList profiles;
    std::array<std::string, 2> lastProfileName;   // per region: 0 upper, 1 lower
    std::string email;
    std::int32_t arrangeBy = 0;        // 0 by name, 1 by date, 2 by type
    std::int32_t connectionType = 0;   // 0 "Local - Remote", 1 "Remote - Remote"
    std::int32_t transferType = 0;     // 0 "FTP Binary", 1 "FTP ASCII"
    CProfileStore profileStore;        // mirror of "User Profiles"
    CProfileStore settingStore;        // mirror of "Setting"
    CProfileStore securityStore;       // mirror of "Profile Security"
    std::string companyName;
    std::string productName;
};

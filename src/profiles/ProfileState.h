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

// Values of arrangeBy: the file lists' order.
constexpr std::int32_t kArrangeByName = 0;
constexpr std::int32_t kArrangeByDate = 1;
constexpr std::int32_t kArrangeByType = 2;

struct ProfileState {
    // Region indexes: the upper and the lower row of the window.
    static constexpr int kUpperRegion = 0;
    static constexpr int kLowerRegion = 1;
    // Values of connectionType.
    static constexpr std::int32_t kLocalRemote = 0;    // the upper region is the local machine
    static constexpr std::int32_t kRemoteRemote = 1;   // both regions connect to hosts

    ProfileList profiles;
    std::array<std::string, 2> lastProfileName;   // per region
    std::string email;
    std::int32_t arrangeBy = kArrangeByName;
    std::int32_t connectionType = kLocalRemote;   // "Local - Remote" or "Remote - Remote"
    std::int32_t transferType = 0;     // 0 "FTP Binary", 1 "FTP ASCII"
    CProfileStore profileStore;        // mirror of "User Profiles"
    CProfileStore settingStore;        // mirror of "Setting"
    CProfileStore securityStore;       // mirror of "Profile Security"
    std::string companyName;
    std::string productName;
};

#include "profiles/ProfileSettings.h"

#include "profiles/Defaults.h"
#include "profiles/ProfileSecurity.h"
#include "profiles/ProfileText.h"

#include "platform/registry/RegistryBatch.h"
#include "platform/registry/RegistryDword.h"
#include "platform/ui/MessageBox.h"

#include <wx/defs.h>

namespace {

std::string PathOf(const ProfileState& state, const char* section)
{
    std::string path;
    GetRegistryPath(state, path, section, {});
    return path;
}

std::unique_ptr<HostProfile> MakeDefaultProfile()
{
    auto profile = std::make_unique<HostProfile>();
    profile->name = kDefaultProfileName;
    profile->host = kDefaultProfileHost;
    profile->user = kAnonymousUser;
    profile->password = kDefaultEmail;
    profile->savePassword = 1;
    profile->anonymous = 1;
    profile->port = 21;
    profile->useDefaultPort = 1;
    profile->passive = 0;
    profile->initialDir.clear();
    // An anonymous public archive: nothing secret to protect, and many such servers have no TLS.
    profile->security = ConnectionSecurity::TlsIfAvailable;
    return profile;
}

// Stores `text` and its NUL under `name`.
void SetText(CProfileStore& store, const std::string& name, const std::string& text)
{
    store.SetValue(name, text.c_str(), static_cast<std::uint32_t>(text.size() + 1), REG_BINARY);
}

// Deletes from the key every value the store read at start, then forgets them.
void DeleteHeldValues(CProfileStore& store, const std::string& keyPath)
{
    for (const auto& entry : store.values)
        store.DeleteValue(HKEY_CURRENT_USER, keyPath, entry.first);
    store.RemoveAll();
}

} // namespace

void LoadProfiles(ProfileState& state)
{
    // Registry failures are silent: a key that cannot be read is an empty one.
    state.settingStore.Load(HKEY_CURRENT_USER, PathOf(state, kSettingSection));

    unsigned char versionBytes[kDwordSize] = {};
    std::uint32_t version = 0;
    if (state.settingStore.GetValue(kVersionValueName, versionBytes, kDwordSize))
        version = UnpackDword(versionBytes);

    if (auto it = state.settingStore.values.find(kSettingValueName); it != state.settingStore.values.end())
        ParseSettingText(state, it->second->data.data(), it->second->data.size(), version);

    state.profileStore.Load(HKEY_CURRENT_USER, PathOf(state, kProfileSection));
    state.securityStore.Load(HKEY_CURRENT_USER, PathOf(state, kSecuritySection));
    if (state.profileStore.values.empty()) {
        auto profile = MakeDefaultProfile();
        std::string name = profile->name;
        state.profiles[name] = std::move(profile);
        return;
    }
    for (const auto& [name, value] : state.profileStore.values) {
        auto profile = std::make_unique<HostProfile>(ParseProfileText(value->data.data(), value->data.size(), version));
        profile->security = StoredSecurity(state.securityStore, name);
        // Listed under the value name, whatever the first field says.
        state.profiles[name] = std::move(profile);
    }
}

LONG SaveProfiles(ProfileState& state)
{
    // One write for the whole save: a kill in the middle leaves the old file or the new one.
    RegistryBatch batch;
    LONG result = ERROR_SUCCESS;
    auto keep = [&result](LONG step) {
        if (result == ERROR_SUCCESS)
            result = step;
    };
    const bool profilesChanged = state.profileStore.modified != 0;
    const std::string profilePath = PathOf(state, kProfileSection);
    const std::string securityPath = PathOf(state, kSecuritySection);
    if (profilesChanged) {
        // A renamed profile's choice goes with it, a deleted one's goes: the key holds one value
        // for each profile, as "User Profiles" does.
        DeleteHeldValues(state.profileStore, profilePath);
        DeleteHeldValues(state.securityStore, securityPath);
        for (const auto& [name, profile] : state.profiles) {
            if (!profile)
                continue;
            SetText(state.profileStore, name, FormatProfileText(*profile));
            SetSecurityValue(state.securityStore, name, profile->security);
        }
        keep(state.profileStore.Save(HKEY_CURRENT_USER, profilePath));
        keep(state.securityStore.Save(HKEY_CURRENT_USER, securityPath));
    }

    const std::string settingPath = PathOf(state, kSettingSection);
    DeleteHeldValues(state.settingStore, settingPath);
    SetText(state.settingStore, kSettingValueName, FormatSettingText(state));
    const auto version = PackDword(kStoreFormatVersion);
    state.settingStore.SetValue(kVersionValueName, version.data(), kDwordSize, REG_BINARY);
    keep(state.settingStore.Save(HKEY_CURRENT_USER, settingPath));

    const LONG written = batch.Commit();
    if (written != ERROR_SUCCESS) {
        // The file, and the store in memory, still hold the values of before: the mirrors hold
        // them again, so that the next save deletes what is really there.
        if (profilesChanged) {
            state.profileStore.Load(HKEY_CURRENT_USER, profilePath);
            state.securityStore.Load(HKEY_CURRENT_USER, securityPath);
        }
        state.settingStore.Load(HKEY_CURRENT_USER, settingPath);
        return written;
    }
    return result;
}

bool SaveProfilesOrTell(ProfileState& state)
{
    if (SaveProfiles(state) == ERROR_SUCCESS)
        return true;
    const RegistryFailure failure = RegistryLastFailure();
    AfxMessageBox("The profiles and settings could not be saved to " + failure.file + ": " + failure.reason + ".",
                  wxOK | wxICON_EXCLAMATION);
    return false;
}

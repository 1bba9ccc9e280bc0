// How long the save of 100 host profiles and the settings takes, as at exit. The peer is the
// same save written value by value, each deletion and each value its own write of the file
// (which is how the profiles were saved before the save became one write), measured in the
// same run on the same file. Also the save that changes nothing, as at exit after a dialog has
// saved already. Prints the times and the ratio.

#include "BenchFiles.h"
#include "profiles/ProfileSettings.h"
#include "profiles/ProfileText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

constexpr int kProfiles = 100;
constexpr int kRounds = 5;

template <class Run>
double Best(Run run)
{
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        best = std::min(best, Seconds([&] { run(round); }));
    }
    return best;
}

std::unique_ptr<HostProfile> MakeProfile(int number)
{
    auto profile = std::make_unique<HostProfile>();
    profile->name = "Server " + std::to_string(number);
    profile->host = "host" + std::to_string(number) + ".example.org";
    profile->user = "user" + std::to_string(number);
    profile->password = "secret";
    profile->savePassword = 1;
    profile->port = 21;
    profile->useDefaultPort = 1;
    profile->initialDir = "/pub/" + std::to_string(number);
    return profile;
}

std::string SectionPath(const ProfileState& state, const char* section)
{
    std::string path;
    GetRegistryPath(state, path, section, {});
    return path;
}

// The save of before: every held value deleted, then every value (name and stored bytes) set,
// each call one write.
void SaveValueByValue(CProfileStore& store, const std::string& path,
                      const std::vector<std::pair<std::string, std::string>>& values)
{
    for (const auto& entry : store.values)
        store.DeleteValue(HKEY_CURRENT_USER, path, entry.first);
    store.RemoveAll();
    for (const auto& [name, bytes] : values)
        store.SetValue(name, bytes.data(), static_cast<std::uint32_t>(bytes.size()), REG_BINARY);
    store.Save(HKEY_CURRENT_USER, path);
}

} // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ferrix-save-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    setenv("FERRIX_REGISTRY", (folder / "registry.reg").c_str(), 1);

    ProfileState state;
    ReadVersionStrings(state);
    LoadProfiles(state);
    state.profiles.clear();
    for (int i = 0; i < kProfiles; ++i)
        state.profiles[MakeProfile(i)->name] = MakeProfile(i);
    state.profileStore.SetModified(1);
    if (SaveProfiles(state) != ERROR_SUCCESS)
        std::printf("the first save failed\n");

    // Each round changes the e-mail address, so that every save has something to write.
    const double saveSeconds = Best([&](int round) {
        state.email = "save" + std::to_string(round) + "@example.org";
        state.profileStore.SetModified(1);
        SaveProfiles(state);
    });
    const double unchangedSeconds = Best([&](int) {
        state.profileStore.SetModified(1);
        SaveProfiles(state);
    });

    const std::string profilePath = SectionPath(state, kProfileSection);
    const std::string settingPath = SectionPath(state, kSettingSection);
    const double peerSeconds = Best([&](int round) {
        state.email = "peer" + std::to_string(round) + "@example.org";
        std::vector<std::pair<std::string, std::string>> profiles;
        for (const auto& [name, profile] : state.profiles)
            profiles.emplace_back(name, FormatProfileText(*profile) + '\0');
        SaveValueByValue(state.profileStore, profilePath, profiles);
        SaveValueByValue(state.settingStore, settingPath,
                         {{kSettingValueName, FormatSettingText(state) + '\0'},
                          {kVersionValueName, std::string("\xCA\0\0\0", 4)}});
    });

    std::printf("save of %d profiles and the settings: %.4f s (one write)\n", kProfiles, saveSeconds);
    std::printf("save that changes nothing: %.4f s (no write)\n", unchangedSeconds);
    std::printf("peer (value by value, %d writes): %.4f s\n", 2 * kProfiles + 4, peerSeconds);
    std::printf("ratio save / peer: %.4f\n", saveSeconds / peerSeconds);

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}

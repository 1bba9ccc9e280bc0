#pragma once
// Runs of the program's profile handling against a registry file of the test's own: a "run"
// starts from a store read afresh (as after a restart), reads the version strings and loads;
// ending it saves.

#include "platform/registry/Registry.h"
#include "profiles/ProfileSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

inline const std::string kSettingKey = "Software\\Ferrix Software\\Ferrix FTP\\Setting\\";
inline const std::string kProfileKey = "Software\\Ferrix Software\\Ferrix FTP\\User Profiles\\";

class ProfileRunTest : public ::testing::Test {
protected:
    ProfileRunTest() : m_env("FERRIX_REGISTRY", FilePath()) { RegistryReload(); }
    ~ProfileRunTest() override { RegistryReload(); }

    std::string FilePath() const { return (m_dir.Path() / "registry.reg").string(); }

    std::string FileText() const
    {
        std::ifstream in(FilePath(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // A run up to the point where the user starts working: version strings, then the load.
    static std::unique_ptr<ProfileState> StartRun(std::unique_ptr<ProfileState> state = nullptr)
    {
        RegistryReload();
        if (!state)
            state = std::make_unique<ProfileState>();
        ReadVersionStrings(*state);
        LoadProfiles(*state);
        return state;
    }

    static void EndRun(ProfileState& state) { SaveProfiles(state); }

    static std::string Bytes(const std::string& text) { return text + std::string(1, '\0'); }

    // Writes a value straight into the registry, as another program or a hand edit would.
    static void PutValue(const std::string& keyPath, const std::string& name, const std::string& data,
                         DWORD type = REG_BINARY)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    static void PutVersion(std::uint32_t version)
    {
        std::string bytes = {static_cast<char>(version), static_cast<char>(version >> 8),
                             static_cast<char>(version >> 16), static_cast<char>(version >> 24)};
        PutValue(kSettingKey, "Version", bytes);
    }

    // The stored bytes of a value read back from a store read afresh from the file; "<none>"
    // when the value does not exist.
    static std::string StoredValue(const std::string& keyPath, const std::string& name, DWORD* type = nullptr)
    {
        RegistryReload();
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        DWORD size = 0;
        std::string result = "<none>";
        if (RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
            result.assign(size, '\0');
            EXPECT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(result.data()),
                                       &size),
                      ERROR_SUCCESS);
        }
        RegCloseKey(key);
        return result;
    }

    static std::vector<std::string> StoredNames(const std::string& keyPath)
    {
        RegistryReload();
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        std::vector<std::string> names;
        for (DWORD index = 0;; ++index) {
            char name[1024];
            DWORD nameLength = sizeof name;
            if (RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, nameLength);
        }
        RegCloseKey(key);
        return names;
    }

    static std::unique_ptr<HostProfile> MakeProfile(const std::string& name)
    {
        auto profile = std::make_unique<HostProfile>();
        profile->name = name;
        profile->host = "192.0.2.10";
        profile->user = "guest";
        profile->password = "secret";
        profile->savePassword = 1;
        profile->port = 2121;
        profile->useDefaultPort = 0;
        profile->passive = 1;
        profile->initialDir = "/pub";
        return profile;
    }

    TempDir m_dir;
    ScopedEnv m_env;
};

#pragma once
// Points the store at a file of its own in a temporary folder and starts every test from a
// store that has not been read yet.

#include "platform/registry/Registry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The names in a folder, sorted.
inline std::vector<std::string> EntriesOf(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() : m_env("FERRIX_REGISTRY", (m_dir.Path() / "registry.reg").string()) { RegistryReload(); }
    ~RegistryTest() override { RegistryReload(); }

    std::string FilePath() const { return (m_dir.Path() / "registry.reg").string(); }

    std::string FileText() const
    {
        std::ifstream in(FilePath(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void WriteFileText(const std::string& text) const { m_dir.WriteFile("registry.reg", text); }

    HKEY Open(const std::string& path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }

    static LONG Set(HKEY key, const char* name, DWORD type, const std::vector<BYTE>& data)
    {
        return RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
    }

    static LONG SetText(HKEY key, const char* name, const std::string& text)
    {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1));
    }

    // The value's bytes, or an empty vector with `found` false.
    static std::vector<BYTE> Query(HKEY key, const char* name, DWORD* type = nullptr, bool* found = nullptr)
    {
        DWORD size = 0;
        LONG result = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
        if (found)
            *found = result == ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return {};
        std::vector<BYTE> data(size);
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type, data.data(), &size), ERROR_SUCCESS);
        return data;
    }

    // The names of the key's values in enumeration order.
    static std::vector<std::string> ValueNames(HKEY key)
    {
        std::vector<std::string> names;
        for (DWORD index = 0;; ++index) {
            char name[512];
            DWORD nameLength = sizeof name;
            LONG result = RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS)
                break;
            names.emplace_back(name, nameLength);
        }
        return names;
    }

    TempDir m_dir;
    ScopedEnv m_env;
};

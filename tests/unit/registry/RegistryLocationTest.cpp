#include "platform/registry/Registry.h"
#include "platform/registry/RegistryLocation.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// Removes a variable for the lifetime of the object, then restores it.
class ScopedUnset {
public:
    explicit ScopedUnset(std::string name) : m_name(std::move(name))
    {
        if (const char* old = std::getenv(m_name.c_str()))
            m_old = old;
        ::unsetenv(m_name.c_str());
    }
    ~ScopedUnset()
    {
        if (m_old)
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
    }

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

TEST(RegistryLocation, ExplicitFileVariableWins)
{
    ScopedEnv file("FERRIX_REGISTRY", "/somewhere/else.reg");
    ScopedEnv config("XDG_CONFIG_HOME", "/config");
    EXPECT_EQ(RegistryFilePath(), "/somewhere/else.reg");
}

TEST(RegistryLocation, EmptyFileVariableFallsBackToConfigFolder)
{
    ScopedEnv file("FERRIX_REGISTRY", "");
    ScopedEnv config("XDG_CONFIG_HOME", "/config");
    EXPECT_EQ(RegistryFilePath(), "/config/ferrix-ftp/registry.reg");
}

TEST(RegistryLocation, UnsetEmptyOrRelativeConfigHomeUsesDotConfig)
{
    ScopedUnset file("FERRIX_REGISTRY");
    ScopedEnv home("HOME", "/home/tester");
    {
        ScopedUnset config("XDG_CONFIG_HOME");
        EXPECT_EQ(RegistryFilePath(), "/home/tester/.config/ferrix-ftp/registry.reg");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "");
        EXPECT_EQ(RegistryFilePath(), "/home/tester/.config/ferrix-ftp/registry.reg");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(RegistryFilePath(), "/home/tester/.config/ferrix-ftp/registry.reg");
    }
}

TEST(RegistryLocation, WithoutHomeTheAccountsFolderIsUsed)
{
    ScopedUnset file("FERRIX_REGISTRY");
    ScopedUnset config("XDG_CONFIG_HOME");
    ScopedUnset home("HOME");
    std::string path = RegistryFilePath();
    EXPECT_EQ(path.front(), '/');
    EXPECT_TRUE(path.ends_with("/.config/ferrix-ftp/registry.reg")) << path;
}

TEST(RegistryLocation, ConfigFolderIsCreatedOwnerOnlyOnFirstWrite)
{
    TempDir dir;
    ScopedUnset file("FERRIX_REGISTRY");
    ScopedEnv config("XDG_CONFIG_HOME", (dir.Path() / "cfg").string());
    RegistryReload();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Located", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    RegistryReload();

    fs::path folder = dir.Path() / "cfg" / "ferrix-ftp";
    EXPECT_TRUE(fs::is_regular_file(folder / "registry.reg"));
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

} // namespace

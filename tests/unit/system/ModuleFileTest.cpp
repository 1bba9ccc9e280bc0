#include "platform/system/ModuleFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ModuleFile, ReportsTheRunningExecutablesPath)
{
    std::string expected = std::filesystem::read_symlink("/proc/self/exe").string();
    char path[4096];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    EXPECT_EQ(length, expected.size());
    EXPECT_EQ(std::string(path), expected);
}

TEST(ModuleFile, SmallBufferGetsTruncatedTerminatedPath)
{
    std::string expected = std::filesystem::read_symlink("/proc/self/exe").string();
    char path[6];
    EXPECT_EQ(GetModuleFileNameA(nullptr, path, sizeof path), sizeof path);
    EXPECT_EQ(std::string(path), expected.substr(0, 5));
}

TEST(ModuleFile, OtherModulesAreUnknown)
{
    char path[64];
    int other = 0;
    EXPECT_EQ(GetModuleFileNameA(&other, path, sizeof path), 0u);
}

TEST(ModuleFile, ModuleNameIsTheExecutablesNameWithoutFolderOrExtension)
{
    EXPECT_EQ(GetModuleName(), "unit_system");
}

} // namespace

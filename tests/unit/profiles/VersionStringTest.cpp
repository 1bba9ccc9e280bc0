#include "profiles/ProfileSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionString, ReadsCompanyAndProductNames)
{
    std::string text;
    ASSERT_TRUE(GetVersionString(2100, text));
    EXPECT_EQ(text, "Ferrix Software");
    ASSERT_TRUE(GetVersionString(2106, text));
    EXPECT_EQ(text, "Ferrix FTP");
}

TEST(VersionString, UnknownEntryLeavesTextUnchanged)
{
    std::string text = "kept";
    EXPECT_FALSE(GetVersionString(1, text));
    EXPECT_EQ(text, "kept");
}

TEST(VersionString, ReadVersionStringsFillsTheState)
{
    ProfileState state;
    ReadVersionStrings(state);
    EXPECT_EQ(state.companyName, "Ferrix Software");
    EXPECT_EQ(state.productName, "Ferrix FTP");
}

TEST(KeyPath, AppAndRegistryPathsEndWithABackslash)
{
    ProfileState state;
    state.companyName = "Ferrix Software";
    state.productName = "Ferrix FTP";
    std::string path;
    GetAppKeyPath(state, path, "MFC Setting", "");
    EXPECT_EQ(path, "Ferrix Software\\Ferrix FTP\\MFC Setting\\");
    GetAppKeyPath(state, path, "MFC Setting", "CtrlBar");
    EXPECT_EQ(path, "Ferrix Software\\Ferrix FTP\\MFC Setting\\CtrlBar\\");
    GetRegistryPath(state, path, "Setting", "");
    EXPECT_EQ(path, "Software\\Ferrix Software\\Ferrix FTP\\Setting\\");
    GetRegistryPath(state, path, "User Profiles", "");
    EXPECT_EQ(path, "Software\\Ferrix Software\\Ferrix FTP\\User Profiles\\");
}

TEST(KeyPath, MissingVersionStringsGiveEmptyComponents)
{
    ProfileState state;
    std::string path;
    GetRegistryPath(state, path, "Setting", "");
    EXPECT_EQ(path, "Software\\\\\\Setting\\");
}

} // namespace

// The Connect dialog's list rules: order, prefix search, clashes and copies.

#include "profiles/ProfileListOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

ProfileList MakeList(std::initializer_list<const char*> names)
{
    ProfileList list;
    for (const char* name : names) {
        auto record = std::make_unique<HostProfile>();
        record->name = name;
        record->host = std::string(name) + ".example.org";
        list.emplace(name, std::move(record));
    }
    return list;
}

TEST(SortedInsertPosition, PlacesANameBeforeTheFirstThatListsAfterIt)
{
    const std::vector<std::string> entries = {"alpha", "Delta", "omega"};
    EXPECT_EQ(SortedInsertPosition(entries, "Beta"), 1u);
    EXPECT_EQ(SortedInsertPosition(entries, "aardvark"), 0u);
    EXPECT_EQ(SortedInsertPosition(entries, "zulu"), 3u);
    EXPECT_EQ(SortedInsertPosition({}, "any"), 0u);
}

TEST(FindPrefixIgnoringCase, FindsTheFirstEntryFromTheTopThatBeginsWithThePrefix)
{
    const std::vector<std::string> entries = {"Archive", "lab", "Lab Two", "lab2"};
    EXPECT_EQ(FindPrefixIgnoringCase(entries, "LAB"), 1);
    EXPECT_EQ(FindPrefixIgnoringCase(entries, "lab t"), 2);
    EXPECT_EQ(FindPrefixIgnoringCase(entries, "arch"), 0);
    EXPECT_EQ(FindPrefixIgnoringCase(entries, "labx"), -1);
    EXPECT_EQ(FindPrefixIgnoringCase(entries, "Archive and more"), -1);
    EXPECT_EQ(FindPrefixIgnoringCase({}, "lab"), -1);
}

TEST(FindClashingProfile, FindsAnotherProfileTheRegistryWouldTakeForTheSame)
{
    const ProfileList list = MakeList({"Lab", "Home"});
    EXPECT_EQ(FindClashingProfile(list, "Lab", ""), "Lab");
    EXPECT_EQ(FindClashingProfile(list, "LAB", ""), "Lab");
    EXPECT_EQ(FindClashingProfile(list, "lab", "Lab"), "");
    EXPECT_EQ(FindClashingProfile(list, "Home", "Lab"), "Home");
    EXPECT_EQ(FindClashingProfile(list, "Office", ""), "");
}

TEST(CopyProfiles, MakesIndependentRecordsUnderTheSameKeys)
{
    ProfileList list = MakeList({"Lab", "Home"});
    list["Home"]->port = -1;
    ProfileList copy = CopyProfiles(list);
    ASSERT_EQ(copy.size(), 2u);
    EXPECT_NE(copy["Lab"].get(), list["Lab"].get());
    EXPECT_EQ(copy["Home"]->host, "Home.example.org");
    EXPECT_EQ(copy["Home"]->port, -1);
    copy["Lab"]->host = "changed";
    EXPECT_EQ(list["Lab"]->host, "Lab.example.org");
}

} // namespace

#include "browser/ItemPath.h"

#include <gtest/gtest.h>

namespace {

constexpr bool kLocal = false;
constexpr bool kRemote = true;

}  // namespace

TEST(ItemPathTest, LocalTreePathsStartWithTheDrive)
{
    EXPECT_EQ(BuildItemPath({}, kLocal, ""), "");
    EXPECT_EQ(BuildItemPath({"C:"}, kLocal, ""), "C:");
    EXPECT_EQ(BuildItemPath({"WINDOWS", "C:"}, kLocal, ""), "C:/WINDOWS");
    EXPECT_EQ(BuildItemPath({"System32", "WINDOWS", "C:"}, kLocal, ""), "C:/WINDOWS/System32");
    EXPECT_EQ(BuildItemPath({"New Folder", "D:"}, kLocal, ""), "D:/New Folder");
}

TEST(ItemPathTest, RemoteTreeWithEmptyRootDirectory)
{
    EXPECT_EQ(BuildItemPath({}, kRemote, ""), "");
    EXPECT_EQ(BuildItemPath({"incoming"}, kRemote, ""), "/incoming");
    EXPECT_EQ(BuildItemPath({"new", "incoming"}, kRemote, ""), "/incoming/new");
}

TEST(ItemPathTest, RemoteTreeWithPubRootDirectory)
{
    EXPECT_EQ(BuildItemPath({}, kRemote, "/pub"), "/pub");
    EXPECT_EQ(BuildItemPath({"incoming"}, kRemote, "/pub"), "/pub/incoming");
    EXPECT_EQ(BuildItemPath({"new", "incoming"}, kRemote, "/pub"), "/pub/incoming/new");
}

TEST(ItemPathTest, OneCharacterNameBelowARemoteRootGetsItsSlash)
{
    EXPECT_EQ(BuildItemPath({"a"}, kRemote, ""), "/a");
    EXPECT_EQ(BuildItemPath({"a"}, kRemote, "/pub"), "/pub/a");
    EXPECT_EQ(BuildItemPath({"b", "a"}, kRemote, "/pub"), "/pub/a/b");
}

TEST(ItemPathTest, RemoteNamesThatLookLikeDrivesStayDirectories)
{
    EXPECT_EQ(BuildItemPath({"C:"}, kRemote, "/pub"), "/pub/C:");
    EXPECT_EQ(BuildItemPath({"x:y"}, kRemote, ""), "/x:y");
    EXPECT_EQ(BuildItemPath({"in", "a:b"}, kRemote, "/pub"), "/pub/a:b/in");
}

TEST(ItemPathTest, RootDirectoryEndingInSlashIsNotDoubled)
{
    EXPECT_EQ(BuildItemPath({}, kRemote, "/"), "/");
    EXPECT_EQ(BuildItemPath({"incoming"}, kRemote, "/"), "/incoming");
    EXPECT_EQ(BuildItemPath({}, kRemote, "/pub/"), "/pub/");
    EXPECT_EQ(BuildItemPath({"incoming"}, kRemote, "/pub/"), "/pub/incoming");
}

TEST(ItemPathTest, TreeWithoutConnectionIgnoresTheRootDirectory)
{
    // A "Remote Host" tree that lost its connection has no root directory to prefix.
    EXPECT_EQ(BuildItemPath({"incoming"}, kLocal, "/pub"), "/incoming");
    EXPECT_EQ(BuildItemPath({}, kLocal, "/pub"), "");
}

TEST(ItemPathTest, RenamedLabelMovesEveryPathBelowIt)
{
    std::vector<std::string> labels{"leaf", "middle", "C:"};
    EXPECT_EQ(BuildItemPath(labels, kLocal, ""), "C:/middle/leaf");
    labels[1] = "renamed";
    EXPECT_EQ(BuildItemPath(labels, kLocal, ""), "C:/renamed/leaf");
}

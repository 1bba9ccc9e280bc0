#include "platform/inet/RemotePath.h"

#include <gtest/gtest.h>

TEST(RemotePathTest, NormalizesSlashes)
{
    EXPECT_EQ(NormalizeRemoteDirectory("/a//b/"), "/a/b");
    EXPECT_EQ(NormalizeRemoteDirectory("/"), "/");
    EXPECT_EQ(NormalizeRemoteDirectory("//"), "/");
    EXPECT_EQ(NormalizeRemoteDirectory("/my dir/ x "), "/my dir/ x ");
}

TEST(RemotePathTest, LeavesDotsAndRelativePathsToTheServer)
{
    EXPECT_FALSE(NormalizeRemoteDirectory("/a/../b"));
    EXPECT_FALSE(NormalizeRemoteDirectory("/a/./b"));
    EXPECT_FALSE(NormalizeRemoteDirectory("a/b"));
    EXPECT_FALSE(NormalizeRemoteDirectory(""));
    EXPECT_FALSE(ResolveRemoteDirectory("/home", ".."));
    EXPECT_FALSE(ResolveRemoteDirectory("", "sub"));
}

TEST(RemotePathTest, ResolvesRelativeToBase)
{
    EXPECT_EQ(ResolveRemoteDirectory("/home/u", "sub"), "/home/u/sub");
    EXPECT_EQ(ResolveRemoteDirectory("/", "sub/"), "/sub");
    EXPECT_EQ(ResolveRemoteDirectory("/home/u", "/pub"), "/pub");
}

TEST(RemotePathTest, TellsWhetherInside)
{
    EXPECT_TRUE(IsSameOrInside("/a/b", "/a"));
    EXPECT_TRUE(IsSameOrInside("/a", "/a"));
    EXPECT_TRUE(IsSameOrInside("/a", "/"));
    EXPECT_FALSE(IsSameOrInside("/ab", "/a"));
    EXPECT_FALSE(IsSameOrInside("/", "/a"));
}

TEST(FindPatternTest, StarIsTheCurrentDirectory)
{
    FindPattern pattern = SplitFindPattern("*");
    EXPECT_TRUE(pattern.wholeDirectory);
    EXPECT_EQ(pattern.directory, "");
}

TEST(FindPatternTest, DirectoryFollowedByStar)
{
    FindPattern pattern = SplitFindPattern("/pub/my dir/*");
    EXPECT_TRUE(pattern.wholeDirectory);
    EXPECT_EQ(pattern.directory, "/pub/my dir");
    EXPECT_EQ(SplitFindPattern("/*").directory, "/");
}

TEST(FindPatternTest, BareNameAndNameInDirectory)
{
    FindPattern bare = SplitFindPattern("my file.txt");
    EXPECT_FALSE(bare.wholeDirectory);
    EXPECT_EQ(bare.directory, "");
    EXPECT_EQ(bare.name, "my file.txt");
    FindPattern inside = SplitFindPattern("/pub/a.txt");
    EXPECT_EQ(inside.directory, "/pub");
    EXPECT_EQ(inside.name, "a.txt");
}

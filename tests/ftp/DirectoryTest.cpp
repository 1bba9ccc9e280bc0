// Directory and file management on the server: each operation checked against what the
// server's disk then holds.

#include "ftp/support/ServerTest.h"

#include <filesystem>

class DirectoryTest : public ServerTest {};

TEST_P(DirectoryTest, ChangesIntoDirectoryAndReportsIt)
{
    Server().MakeDir(Local("inner"));
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("inner")));
    std::string directory;
    ASSERT_TRUE(Connection().GetCurrentDirectory(directory));
    EXPECT_EQ(directory, Remote("inner"));
}

TEST_P(DirectoryTest, ChangesIntoRelativeDirectory)
{
    Server().MakeDir(Local("outer/inner"));
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("outer")));
    ASSERT_TRUE(Connection().SetCurrentDirectory("inner"));
    std::string directory;
    ASSERT_TRUE(Connection().GetCurrentDirectory(directory));
    EXPECT_EQ(directory, Remote("outer/inner"));
}

TEST_P(DirectoryTest, RefusesToChangeIntoMissingDirectory)
{
    EXPECT_FALSE(Connection().SetCurrentDirectory(Remote("missing")));
    EXPECT_NE(Connection().GetLastErrorCode(), 0u);
    std::string directory;
    ASSERT_TRUE(Connection().GetCurrentDirectory(directory));
    EXPECT_EQ(directory, "/");
}

TEST_P(DirectoryTest, CreatesDirectory)
{
    ASSERT_TRUE(Connection().CreateDirectory(Remote("made")));
    EXPECT_TRUE(std::filesystem::is_directory(Server().Root() / Local("made")));
}

TEST_P(DirectoryTest, CreatesDirectoryWithSpacesAndUnicodeInName)
{
    const std::string name = "Grüße aus Köln 東京";
    ASSERT_TRUE(Connection().CreateDirectory(Remote(name)));
    EXPECT_TRUE(std::filesystem::is_directory(Server().Root() / Local(name)));
}

TEST_P(DirectoryTest, RefusesToCreateExistingDirectory)
{
    Server().MakeDir(Local("there"));
    EXPECT_FALSE(Connection().CreateDirectory(Remote("there")));
    EXPECT_NE(Connection().GetLastErrorCode(), 0u);
}

TEST_P(DirectoryTest, RemovesEmptyDirectory)
{
    Server().MakeDir(Local("gone"));
    ASSERT_TRUE(Connection().RemoveDirectory(Remote("gone")));
    EXPECT_FALSE(Server().Exists(Local("gone")));
}

TEST_P(DirectoryTest, KeepsDirectoryThatIsNotEmpty)
{
    Server().WriteFile(Local("full/keep.txt"), "x");
    EXPECT_FALSE(Connection().RemoveDirectory(Remote("full")));
    EXPECT_TRUE(Server().Exists(Local("full/keep.txt")));
}

TEST_P(DirectoryTest, RemovesFile)
{
    Server().WriteFile(Local("doomed.txt"), "bye");
    ASSERT_TRUE(Connection().Remove(Remote("doomed.txt")));
    EXPECT_FALSE(Server().Exists(Local("doomed.txt")));
}

TEST_P(DirectoryTest, FailsToRemoveMissingFile)
{
    EXPECT_FALSE(Connection().Remove(Remote("never-was.txt")));
    EXPECT_NE(Connection().GetLastErrorCode(), 0u);
}

TEST_P(DirectoryTest, RenamesFileKeepingItsContent)
{
    Server().WriteFile(Local("old name.txt"), "content");
    ASSERT_TRUE(Connection().Rename(Remote("old name.txt"), Remote("new name.txt")));
    EXPECT_FALSE(Server().Exists(Local("old name.txt")));
    EXPECT_EQ(Server().ReadFile(Local("new name.txt")), "content");
}

TEST_P(DirectoryTest, RenamesDirectoryWithWhatItHolds)
{
    Server().WriteFile(Local("before/inside.txt"), "x");
    ASSERT_TRUE(Connection().Rename(Remote("before"), Remote("after")));
    EXPECT_FALSE(Server().Exists(Local("before")));
    EXPECT_EQ(Server().ReadFile(Local("after/inside.txt")), "x");
}

TEST_P(DirectoryTest, FailsToRenameMissingFile)
{
    EXPECT_FALSE(Connection().Rename(Remote("absent.txt"), Remote("present.txt")));
    EXPECT_FALSE(Server().Exists(Local("present.txt")));
}

// A CR or LF in a path would end the command early and let the rest run as a command of its
// own; nothing of such a path may reach the server.
TEST_P(DirectoryTest, RefusesPathWithLineBreakWithoutSendingIt)
{
    Server().WriteFile(Local("x"), "victim");
    Server().WriteFile(Local("a"), "bait");
    EXPECT_FALSE(Connection().Remove(Remote("a\r\nDELE " + Remote("x"))));
    EXPECT_FALSE(Connection().CreateDirectory(Remote("b\nMKD " + Remote("injected"))));
    EXPECT_FALSE(Connection().RemoveDirectory(Remote("c\rDELE " + Remote("x"))));
    EXPECT_FALSE(Connection().Rename(Remote("a"), Remote("d\r\nDELE " + Remote("x"))));
    EXPECT_FALSE(Connection().SetCurrentDirectory(Remote("e\nDELE " + Remote("x"))));
    EXPECT_EQ(Server().ReadFile(Local("x")), "victim");
    EXPECT_EQ(Server().ReadFile(Local("a")), "bait");
    EXPECT_FALSE(Server().Exists(Local("injected")));
}

TEST_P(DirectoryTest, RefusesPathWithNulOrOtherControlByte)
{
    Server().WriteFile(Local("x"), "victim");
    EXPECT_FALSE(Connection().Remove(Remote(std::string("x\0y", 3))));
    EXPECT_FALSE(Connection().Remove(Remote("x\ty")));
    EXPECT_TRUE(Server().Exists(Local("x")));
}

INSTANTIATE_TEST_SUITE_P(Servers, DirectoryTest, testing::ValuesIn(AllServerModes()), ServerModeName);

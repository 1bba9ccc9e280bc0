// The file operations on the local machine (the null endpoint), on temporary drives.

#include "net/FileChanges.h"
#include "net/FileLookup.h"
#include "platform/localfs/CurrentDirectory.h"
#include "unit/localfs/LocalDrives.h"

#include <cerrno>

namespace fs = std::filesystem;

using LocalFileOperationsTest = LocalDrivesTest;

TEST_F(LocalFileOperationsTest, LooksUpFilesByDirectoryAndName)
{
    SetModified(m_temp.WriteFile("d/dir/a b.txt", "12345"), kAfter2038);
    m_temp.WriteFile("d/dir/star*", "a name that is also a pattern");
    m_temp.WriteFile("d/dir/axb", "x");
    fs::resize_file(m_temp.WriteFile("d/dir/big.img", ""), kOver4GiB);
    m_temp.WriteFile("d/other/same.txt", "other");

    EXPECT_NE(FileExists(nullptr, "D:/dir/a b.txt"), 0);
    EXPECT_EQ(localfs::GetCurrentDirectory(), "D:/dir");
    EXPECT_NE(FileExists(nullptr, "D:/dir/star*"), 0);
    EXPECT_EQ(FileExists(nullptr, "D:/dir/sta*"), 0);
    EXPECT_EQ(FileExists(nullptr, "D:/dir/a?b"), 0);

    // Where the directory cannot be entered, the current one is not searched instead.
    ASSERT_TRUE(localfs::SetCurrentDirectory("D:/other"));
    EXPECT_EQ(FileExists(nullptr, "D:/missing/same.txt"), 0);
    EXPECT_EQ(FileExists(nullptr, "D:/other/same.txt/same.txt"), 0);
    EXPECT_EQ(FileExists(nullptr, "same.txt"), 0);

    std::string size = "???";
    std::int64_t modified = 0;
    ASSERT_NE(GetFileInfo(nullptr, "D:/dir/a b.txt", size, modified), 0);
    EXPECT_EQ(size, "5");
    EXPECT_EQ(modified, kAfter2038);
    ASSERT_NE(GetFileInfo(nullptr, "D:/dir/big.img", size, modified), 0);
    EXPECT_EQ(size, std::to_string(kOver4GiB));

    size = "stale";
    modified = 7;
    EXPECT_EQ(GetFileInfo(nullptr, "D:/dir/missing", size, modified), 0);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(size, "???");
    EXPECT_EQ(modified, 7);
}

TEST_F(LocalFileOperationsTest, CreatesRenamesAndRemoves)
{
    ASSERT_TRUE(localfs::SetCurrentDirectory("D:/"));
    ASSERT_NE(MakeDir(nullptr, "D:/New Folder"), 0);
    EXPECT_EQ(MakeDir(nullptr, "D:/New Folder"), 0);
    EXPECT_EQ(errno, EEXIST);
    m_temp.WriteFile("d/New Folder/sub/inner.txt", "inner");

    ASSERT_NE(RenameDir(nullptr, "D:/New Folder", "D:/Renamed"), 0);
    EXPECT_EQ(localfs::GetCurrentDirectory(), "D:/");
    EXPECT_EQ(ReadAll(m_dFolder / "Renamed/sub/inner.txt"), "inner");
    ASSERT_NE(RenameDir(nullptr, "D:/Renamed", "D:/RENAMED"), 0);
    // A directory the process stands in is renamed all the same.
    ASSERT_TRUE(localfs::SetCurrentDirectory("D:/RENAMED/sub"));
    ASSERT_NE(RenameDir(nullptr, "D:/RENAMED", "D:/Moved"), 0);
    EXPECT_EQ(ReadAll(m_dFolder / "Moved/sub/inner.txt"), "inner");

    // A rename never replaces, and never moves to another directory.
    m_temp.WriteFile("d/a.txt", "A");
    m_temp.WriteFile("d/b.txt", "B");
    m_temp.MakeDir("d/empty");
    EXPECT_EQ(RenameFile(nullptr, "D:/a.txt", "D:/b.txt"), 0);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(RenameDir(nullptr, "D:/Moved", "D:/empty"), 0);
    EXPECT_EQ(RenameFile(nullptr, "D:/a.txt", "D:/Moved/a.txt"), 0);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(ReadAll(m_dFolder / "a.txt"), "A");
    EXPECT_EQ(ReadAll(m_dFolder / "b.txt"), "B");
    EXPECT_TRUE(fs::exists(m_dFolder / "Moved/sub/inner.txt"));
    EXPECT_TRUE(fs::is_empty(m_dFolder / "empty"));

    // Files go, folders stay; a link to a folder goes as a link.
    EXPECT_EQ(RemoveFile(nullptr, "D:/empty"), 0);
    EXPECT_TRUE(fs::is_directory(m_dFolder / "empty"));
    fs::create_directory_symlink(m_dFolder / "Moved", m_dFolder / "link");
    ASSERT_NE(RemoveFile(nullptr, "D:/link"), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_dFolder / "link")));
    EXPECT_EQ(RemoveDir(nullptr, "D:/Moved/sub"), 0);
    EXPECT_EQ(errno, ENOTEMPTY);
    ASSERT_NE(RemoveFile(nullptr, "D:/Moved/sub/inner.txt"), 0);
    ASSERT_NE(RemoveDir(nullptr, "D:/Moved/sub"), 0);
    EXPECT_FALSE(fs::exists(m_dFolder / "Moved/sub"));
    EXPECT_EQ(RemoveFile(nullptr, "D:/Moved/sub/inner.txt"), 0);
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(LocalFileOperationsTest, TakesOddNamesAndRefusesImpossibleOnes)
{
    for (const std::string name : {"with space", "Größe 東京", "-rf", ".dotted", "..two dots", " lead"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(MakeDir(nullptr, "D:/" + name), 0);
        EXPECT_NE(FileExists(nullptr, "D:/" + name), 0);
        ASSERT_NE(RenameDir(nullptr, "D:/" + name, "D:/" + name + " 2"), 0);
        EXPECT_TRUE(fs::is_directory(m_dFolder / (name + " 2")));
    }
    EXPECT_EQ(MakeDir(nullptr, "D:/" + std::string(300, 'x')), 0);
    EXPECT_EQ(errno, ENAMETOOLONG);
    for (const char* refused : {"D:/", "D:/.", "D:/..", "New Folder"}) {
        EXPECT_EQ(MakeDir(nullptr, refused), 0) << refused;
        EXPECT_EQ(errno, EINVAL) << refused;
    }
    EXPECT_EQ(MakeDir(nullptr, "Q:/unmapped"), 0);
    EXPECT_EQ(errno, ENOENT);
}

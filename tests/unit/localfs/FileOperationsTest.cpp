#include "LocalDrives.h"

#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/FileOperations.h"

#include <cerrno>
#include <functional>

namespace fs = std::filesystem;

using FileOperationsTest = LocalDrivesTest;

TEST_F(FileOperationsTest, CreateDirectoryMakesOneNewFolder)
{
    EXPECT_TRUE(localfs::CreateDirectory("D:/New Folder"));
    EXPECT_TRUE(fs::is_directory(m_dFolder / "New Folder"));
    EXPECT_TRUE(localfs::CreateDirectory("D:/New Folder/Grüße"));
    EXPECT_TRUE(fs::is_directory(m_dFolder / "New Folder" / "Grüße"));
}

TEST_F(FileOperationsTest, CreateDirectoryRefusesWhatCannotBeMade)
{
    m_temp.MakeDir("d/exists");
    m_temp.WriteFile("d/file", "keep");
    EXPECT_FALSE(localfs::CreateDirectory("D:/exists"));
    EXPECT_FALSE(localfs::CreateDirectory("D:/file"));
    EXPECT_EQ(ReadAll(m_dFolder / "file"), "keep");
    EXPECT_FALSE(localfs::CreateDirectory("D:/no/parent"));
    EXPECT_FALSE(localfs::CreateDirectory("Q:/x"));
    EXPECT_FALSE(localfs::CreateDirectory("D:/../escaped"));
    EXPECT_FALSE(fs::exists(m_temp.Path() / "escaped"));
}

TEST_F(FileOperationsTest, RelativePathsWorkFromTheCurrentDirectory)
{
    m_temp.MakeDir("d/here");
    ASSERT_TRUE(localfs::SetCurrentDirectory("D:/here"));
    EXPECT_TRUE(localfs::CreateDirectory("sub"));
    EXPECT_TRUE(fs::is_directory(m_dFolder / "here" / "sub"));
    EXPECT_TRUE(localfs::CreateDirectory("/top"));
    EXPECT_TRUE(fs::is_directory(m_dFolder / "top"));
}

TEST_F(FileOperationsTest, RemoveDirectoryRemovesOnlyEmptyFolders)
{
    m_temp.MakeDir("d/empty");
    m_temp.WriteFile("d/full/f", "");
    m_temp.WriteFile("d/file", "");
    EXPECT_TRUE(localfs::RemoveDirectory("D:/empty"));
    EXPECT_FALSE(fs::exists(m_dFolder / "empty"));
    EXPECT_FALSE(localfs::RemoveDirectory("D:/full"));
    EXPECT_TRUE(fs::exists(m_dFolder / "full" / "f"));
    EXPECT_FALSE(localfs::RemoveDirectory("D:/file"));
    EXPECT_FALSE(localfs::RemoveDirectory("D:/missing"));
}

TEST_F(FileOperationsTest, MoveFileRenamesFilesAndFolders)
{
    m_temp.WriteFile("d/old.txt", "content");
    m_temp.WriteFile("d/olddir/inner", "");
    EXPECT_TRUE(localfs::MoveFile("D:/old.txt", "D:/new name.txt"));
    EXPECT_FALSE(fs::exists(m_dFolder / "old.txt"));
    EXPECT_EQ(ReadAll(m_dFolder / "new name.txt"), "content");
    EXPECT_TRUE(localfs::MoveFile("D:/olddir", "D:/newdir"));
    EXPECT_TRUE(fs::exists(m_dFolder / "newdir" / "inner"));
    // Letter case alone makes another name here.
    EXPECT_TRUE(localfs::MoveFile("D:/newdir", "D:/NEWDIR"));
    EXPECT_TRUE(fs::exists(m_dFolder / "NEWDIR" / "inner"));
}

TEST_F(FileOperationsTest, MoveFileNeverReplacesAnExistingTarget)
{
    m_temp.WriteFile("d/a.txt", "A");
    m_temp.WriteFile("d/b.txt", "B");
    m_temp.MakeDir("d/emptydir");
    EXPECT_FALSE(localfs::MoveFile("D:/a.txt", "D:/b.txt"));
    EXPECT_EQ(ReadAll(m_dFolder / "a.txt"), "A");
    EXPECT_EQ(ReadAll(m_dFolder / "b.txt"), "B");
    EXPECT_FALSE(localfs::MoveFile("D:/a.txt", "D:/emptydir"));
    EXPECT_TRUE(fs::is_directory(m_dFolder / "emptydir"));
    EXPECT_FALSE(localfs::MoveFile("D:/missing", "D:/c.txt"));
}

TEST_F(FileOperationsTest, MoveFileCrossesDrivesOnOneFileSystem)
{
    m_temp.WriteFile("d/travel.txt", "t");
    EXPECT_TRUE(localfs::MoveFile("D:/travel.txt", "C:/travel.txt"));
    EXPECT_EQ(ReadAll(m_cFolder / "travel.txt"), "t");
}

TEST_F(FileOperationsTest, DeleteFileDeletesFilesOnly)
{
    m_temp.WriteFile("d/gone.txt", "");
    m_temp.MakeDir("d/folder");
    EXPECT_TRUE(localfs::DeleteFile("D:/gone.txt"));
    EXPECT_FALSE(fs::exists(m_dFolder / "gone.txt"));
    EXPECT_FALSE(localfs::DeleteFile("D:/gone.txt"));
    EXPECT_FALSE(localfs::DeleteFile("D:/folder"));
    EXPECT_TRUE(fs::is_directory(m_dFolder / "folder"));
}

TEST_F(FileOperationsTest, RemoveFollowsTheCLibrary)
{
    m_temp.WriteFile("d/file", "");
    m_temp.MakeDir("d/emptydir");
    m_temp.WriteFile("d/fulldir/f", "");
    EXPECT_EQ(localfs::remove("D:/file"), 0);
    EXPECT_FALSE(fs::exists(m_dFolder / "file"));
    EXPECT_EQ(localfs::remove("D:/emptydir"), 0);
    EXPECT_FALSE(fs::exists(m_dFolder / "emptydir"));
    EXPECT_EQ(localfs::remove("D:/fulldir"), -1);
    EXPECT_EQ(localfs::remove("D:/file"), -1);
    EXPECT_EQ(localfs::remove("Q:/file"), -1);
}

TEST_F(FileOperationsTest, RenameReplacesAnExistingFile)
{
    m_temp.WriteFile("d/from", "new");
    m_temp.WriteFile("d/to", "old");
    EXPECT_EQ(localfs::rename("D:/from", "D:/to"), 0);
    EXPECT_FALSE(fs::exists(m_dFolder / "from"));
    EXPECT_EQ(ReadAll(m_dFolder / "to"), "new");
    EXPECT_EQ(localfs::rename("D:/from", "D:/again"), -1);
    EXPECT_EQ(localfs::rename("D:/to", "D:/../out"), -1);
    EXPECT_TRUE(fs::exists(m_dFolder / "to"));
}

TEST_F(FileOperationsTest, RenameMovesADirectoryWithItsContents)
{
    m_temp.WriteFile("d/tree/a/b", "leaf");
    EXPECT_EQ(localfs::rename("D:/tree", "D:/renamed tree"), 0);
    EXPECT_EQ(ReadAll(m_dFolder / "renamed tree" / "a" / "b"), "leaf");
}

TEST_F(FileOperationsTest, FileStatusGivesSizeTimeAndKind)
{
    const fs::path big = m_temp.WriteFile("d/big", "");
    fs::resize_file(big, kOver4GiB);
    SetModified(big, kBefore1970);
    SetModified(m_temp.WriteFile("d/later", "12"), kAfter2038);
    m_temp.MakeDir("d/folder");

    const std::optional<localfs::FileStatus> bigStatus = localfs::GetFileStatus("D:/big");
    ASSERT_TRUE(bigStatus);
    EXPECT_EQ(bigStatus->size, kOver4GiB);
    EXPECT_EQ(bigStatus->modified, kBefore1970);
    EXPECT_FALSE(bigStatus->directory);

    const std::optional<localfs::FileStatus> later = localfs::GetFileStatus("D:/later");
    ASSERT_TRUE(later);
    EXPECT_EQ(later->size, 2u);
    EXPECT_EQ(later->modified, kAfter2038);

    const std::optional<localfs::FileStatus> folder = localfs::GetFileStatus("D:/folder");
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->directory);

    EXPECT_FALSE(localfs::GetFileStatus("D:/missing"));
    EXPECT_FALSE(localfs::GetFileStatus("D:/big/below"));
}

TEST_F(FileOperationsTest, FileStatusFollowsLinks)
{
    m_temp.WriteFile("d/target", "12345");
    fs::create_symlink(m_dFolder / "target", m_dFolder / "link");
    fs::create_symlink(m_dFolder / "missing", m_dFolder / "dangling");
    const std::optional<localfs::FileStatus> status = localfs::GetFileStatus("D:/link");
    ASSERT_TRUE(status);
    EXPECT_EQ(status->size, 5u);
    EXPECT_FALSE(localfs::GetFileStatus("D:/dangling"));
}

TEST_F(FileOperationsTest, FailuresLeaveTheSystemsReasonInErrno)
{
    m_temp.MakeDir("d/dir");
    m_temp.WriteFile("d/full/f", "");
    m_temp.WriteFile("d/a.txt", "A");
    m_temp.WriteFile("d/b.txt", "B");
    struct Case {
        const char* what;
        std::function<bool()> succeeds;
        int reason;
    };
    const Case cases[] = {
        {"create existing", [] { return localfs::CreateDirectory("D:/dir"); }, EEXIST},
        {"create on no drive", [] { return localfs::CreateDirectory("Q:/dir"); }, ENOENT},
        {"remove full", [] { return localfs::RemoveDirectory("D:/full"); }, ENOTEMPTY},
        {"move onto existing", [] { return localfs::MoveFile("D:/a.txt", "D:/b.txt"); }, EEXIST},
        {"delete a folder", [] { return localfs::DeleteFile("D:/dir"); }, EISDIR},
        {"status of nothing", [] { return localfs::GetFileStatus("D:/none").has_value(); }, ENOENT},
        {"rename above the drive", [] { return localfs::rename("D:/a.txt", "D:/../a.txt") == 0; }, ENOENT},
    };
    for (const Case& c : cases) {
        errno = 0;
        EXPECT_FALSE(c.succeeds()) << c.what;
        EXPECT_EQ(errno, c.reason) << c.what;
    }
}

#include "LocalDrives.h"

#include "platform/localfs/CurrentDirectory.h"

#include <unistd.h>

#include <cerrno>

using localfs::GetCurrentDirectory;
using localfs::GetCurrentDrive;
using localfs::SetCurrentDirectory;

namespace {

bool IsProcessCwd(const std::filesystem::path& folder)
{
    return std::filesystem::equivalent(std::filesystem::current_path(), folder);
}

}  // namespace

using CurrentDirectoryTest = LocalDrivesTest;

TEST_F(CurrentDirectoryTest, BareDriveGoesToTheTopOfItsFolder)
{
    ASSERT_TRUE(SetCurrentDirectory("D:"));
    EXPECT_TRUE(IsProcessCwd(m_dFolder));
    EXPECT_EQ(GetCurrentDirectory(), "D:/");
    EXPECT_EQ(GetCurrentDrive(), 'D');

    ASSERT_TRUE(SetCurrentDirectory("C:/"));
    EXPECT_TRUE(IsProcessCwd(m_cFolder));
    EXPECT_EQ(GetCurrentDirectory(), "C:/");
    EXPECT_EQ(GetCurrentDrive(), 'C');
}

TEST_F(CurrentDirectoryTest, FullPathWithOrWithoutTrailingSlash)
{
    m_temp.MakeDir("d/Temp/inner");
    ASSERT_TRUE(SetCurrentDirectory("D:/Temp/"));
    EXPECT_TRUE(IsProcessCwd(m_dFolder / "Temp"));
    EXPECT_EQ(GetCurrentDirectory(), "D:/Temp");
    ASSERT_TRUE(SetCurrentDirectory("d:/Temp/inner"));
    EXPECT_EQ(GetCurrentDirectory(), "D:/Temp/inner");
    EXPECT_EQ(GetCurrentDrive(), 'D');
}

TEST_F(CurrentDirectoryTest, SlashMeansTheTopOfTheCurrentDrive)
{
    m_temp.MakeDir("d/Temp");
    m_temp.MakeDir("c/Temp");
    ASSERT_TRUE(SetCurrentDirectory("D:/Temp"));
    ASSERT_TRUE(SetCurrentDirectory("/"));
    EXPECT_EQ(GetCurrentDirectory(), "D:/");
    EXPECT_TRUE(IsProcessCwd(m_dFolder));
    ASSERT_TRUE(SetCurrentDirectory("/Temp"));
    EXPECT_EQ(GetCurrentDirectory(), "D:/Temp");
}

TEST_F(CurrentDirectoryTest, RelativePathsStartFromTheCurrentDirectory)
{
    m_temp.MakeDir("d/a/b");
    ASSERT_TRUE(SetCurrentDirectory("D:/"));
    ASSERT_TRUE(SetCurrentDirectory("a"));
    EXPECT_EQ(GetCurrentDirectory(), "D:/a");
    ASSERT_TRUE(SetCurrentDirectory("b"));
    EXPECT_EQ(GetCurrentDirectory(), "D:/a/b");
    ASSERT_TRUE(SetCurrentDirectory("../.."));
    EXPECT_EQ(GetCurrentDirectory(), "D:/");
}

TEST_F(CurrentDirectoryTest, RelativeFileOperationsLandInTheCurrentDirectory)
{
    m_temp.MakeDir("d/work");
    ASSERT_TRUE(SetCurrentDirectory("D:/work"));
    std::ofstream("made-here.txt") << "x";
    EXPECT_TRUE(std::filesystem::exists(m_dFolder / "work" / "made-here.txt"));
}

TEST_F(CurrentDirectoryTest, FailedChangesLeaveTheCurrentDirectory)
{
    m_temp.WriteFile("d/plain.txt", "not a folder");
    m_temp.MakeDir("d/stay");
    ASSERT_TRUE(SetCurrentDirectory("D:/stay"));

    // Each failure leaves errno saying why, for the message that reports it.
    const struct {
        const char* path;
        int error;
    } failures[] = {
        {"Q:", ENOENT}, {"D:/missing", ENOENT}, {"D:/plain.txt", ENOTDIR}, {"D:/plain.txt/below", ENOTDIR},
        {"D:/..", ENOENT}, {"../..", ENOENT}, {"D:stay", ENOENT}, {"", ENOENT},
    };
    for (const auto& failure : failures) {
        errno = 0;
        EXPECT_FALSE(SetCurrentDirectory(failure.path)) << failure.path;
        EXPECT_EQ(errno, failure.error) << failure.path;
    }

    EXPECT_EQ(GetCurrentDirectory(), "D:/stay");
    EXPECT_TRUE(IsProcessCwd(m_dFolder / "stay"));
}

TEST_F(CurrentDirectoryTest, DrivesArePresentExactlyWhenTheirFolderCanBeEntered)
{
    const std::filesystem::path plain = m_temp.WriteFile("plain", "x");
    MapDrives("C=" + m_cFolder.string() + ";d=" + m_dFolder.string() + ";F=" +
              (m_temp.Path() / "missing").string() + ";G=" + plain.string() + ";Z=" + m_cFolder.string());
    std::string present;
    // The tree's test: every letter in turn, the current drive left at the last that worked.
    for (int number = 1; number <= localfs::kDriveCount; ++number) {
        const char letter = static_cast<char>(64 + number);
        if (SetCurrentDirectory(std::string(1, letter) + ":"))
            present += letter;
    }
    EXPECT_EQ(present, "CDZ");
    EXPECT_EQ(GetCurrentDrive(), 'Z');
    EXPECT_EQ(GetCurrentDirectory(), "Z:/");
}

TEST_F(CurrentDirectoryTest, RemovedCurrentFolderLeavesTheDriveKnown)
{
    const std::filesystem::path gone = m_temp.MakeDir("d/gone");
    ASSERT_TRUE(SetCurrentDirectory("D:/gone"));
    std::filesystem::remove(gone);
    EXPECT_EQ(GetCurrentDirectory(), "");
    EXPECT_EQ(GetCurrentDrive(), 'D');
    ASSERT_TRUE(SetCurrentDirectory("/"));
    EXPECT_EQ(GetCurrentDirectory(), "D:/");
}

TEST_F(CurrentDirectoryTest, FolderOutsideEveryDriveHasNoProgramPath)
{
    MapDrives("D=" + m_dFolder.string());
    ASSERT_EQ(chdir(m_cFolder.c_str()), 0);
    EXPECT_EQ(GetCurrentDirectory(), "");
}

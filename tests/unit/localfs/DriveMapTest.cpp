#include "LocalDrives.h"

#include "platform/localfs/DriveMap.h"

#include <cstdlib>

using localfs::DriveFolder;
using localfs::ToNativePath;
using localfs::ToProgramPath;

using DriveMapTest = LocalDrivesTest;

TEST_F(DriveMapTest, WithoutVariableOnlyCIsTheFileSystemRoot)
{
    unsetenv("FERRIX_DRIVES");
    localfs::ReloadDriveMap();
    EXPECT_EQ(DriveFolder('C'), "/");
    EXPECT_EQ(ToNativePath("C:/etc/hosts"), "/etc/hosts");
    EXPECT_EQ(ToNativePath("C:"), "/");
    EXPECT_EQ(ToProgramPath("/etc/hosts"), "C:/etc/hosts");
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        EXPECT_EQ(DriveFolder(letter).has_value(), letter == 'C') << letter;
}

TEST_F(DriveMapTest, VariableReplacesTheWholeMap)
{
    MapDrives("D=" + m_dFolder.string());
    EXPECT_FALSE(DriveFolder('C'));
    EXPECT_FALSE(ToNativePath("C:/etc"));
    EXPECT_EQ(DriveFolder('D'), m_dFolder.string());
}

TEST_F(DriveMapTest, EmptyVariableLeavesNoDrives)
{
    MapDrives("");
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        EXPECT_FALSE(DriveFolder(letter)) << letter;
}

TEST_F(DriveMapTest, LettersAreTakenInEitherCase)
{
    MapDrives("e=/srv/e;F=/srv/f");
    EXPECT_EQ(DriveFolder('E'), "/srv/e");
    EXPECT_EQ(DriveFolder('e'), "/srv/e");
    EXPECT_EQ(ToNativePath("e:/x"), "/srv/e/x");
    EXPECT_EQ(ToNativePath("f:/x"), "/srv/f/x");
}

TEST_F(DriveMapTest, MalformedEntriesAreIgnored)
{
    MapDrives(";;C=/;DD=/x;1=/y;E=relative;F=;G/h;=/z;H=/ok;;");
    EXPECT_EQ(DriveFolder('C'), "/");
    EXPECT_EQ(DriveFolder('H'), "/ok");
    for (char letter : std::string("DEFGXYZ"))
        EXPECT_FALSE(DriveFolder(letter)) << letter;
}

TEST_F(DriveMapTest, LaterEntryForALetterWins)
{
    MapDrives("D=/first;D=/second");
    EXPECT_EQ(DriveFolder('D'), "/second");
}

TEST_F(DriveMapTest, FolderIsKeptInNormalForm)
{
    MapDrives("D=/srv//data/./;E=/srv/x/../y/");
    EXPECT_EQ(DriveFolder('D'), "/srv/data");
    EXPECT_EQ(DriveFolder('E'), "/srv/y");
    EXPECT_EQ(ToNativePath("D:/a"), "/srv/data/a");
}

TEST_F(DriveMapTest, MapsProgramPathsToNativeOnes)
{
    const std::string d = m_dFolder.string();
    EXPECT_EQ(ToNativePath("D:/a/b"), d + "/a/b");
    EXPECT_EQ(ToNativePath("d:/a/b"), d + "/a/b");
    EXPECT_EQ(ToNativePath("D:"), d);
    EXPECT_EQ(ToNativePath("D:/"), d);
    EXPECT_EQ(ToNativePath("D://a//./b/"), d + "/a/b");
    EXPECT_EQ(ToNativePath("D:/a/../b"), d + "/b");
    EXPECT_EQ(ToNativePath("D:/name with spaces/Grüße"), d + "/name with spaces/Grüße");
}

TEST_F(DriveMapTest, RefusesRelativeAndUnmappedPaths)
{
    EXPECT_FALSE(ToNativePath(""));
    EXPECT_FALSE(ToNativePath("a/b"));
    EXPECT_FALSE(ToNativePath("/a/b"));
    EXPECT_FALSE(ToNativePath("D:a"));
    EXPECT_FALSE(ToNativePath("Q:/a"));
    EXPECT_FALSE(ToNativePath("1:/a"));
}

TEST_F(DriveMapTest, RefusesClimbingAboveTheDrive)
{
    EXPECT_FALSE(ToNativePath("D:/.."));
    EXPECT_FALSE(ToNativePath("D:/../c"));
    EXPECT_FALSE(ToNativePath("D:/a/../../c"));
    EXPECT_FALSE(ToNativePath("D:/a/../b/../../c/x"));
    EXPECT_EQ(ToNativePath("D:/a/b/../../c"), m_dFolder.string() + "/c");
    // A name that merely begins with dots is a name.
    EXPECT_EQ(ToNativePath("D:/.../..x"), m_dFolder.string() + "/.../..x");
}

TEST_F(DriveMapTest, RefusesPathWithNul)
{
    EXPECT_FALSE(ToNativePath(std::string("D:/a\0b", 6)));
    EXPECT_FALSE(ToProgramPath(m_dFolder.string() + std::string("/a\0b", 4)));
}

TEST_F(DriveMapTest, MapsNativePathsBackToProgramForm)
{
    const std::string d = m_dFolder.string();
    EXPECT_EQ(ToProgramPath(d), "D:/");
    EXPECT_EQ(ToProgramPath(d + "/"), "D:/");
    EXPECT_EQ(ToProgramPath(d + "/a/b"), "D:/a/b");
    EXPECT_EQ(ToProgramPath(d + "//a/./b/"), "D:/a/b");
    // A folder whose name only begins like the drive's lies elsewhere.
    EXPECT_FALSE(ToProgramPath(d + "x/a"));
    EXPECT_FALSE(ToProgramPath("relative/a"));
    EXPECT_FALSE(ToProgramPath(""));
}

TEST_F(DriveMapTest, LongestMatchingFolderNamesTheDrive)
{
    MapDrives("C=/;D=" + m_dFolder.string());
    EXPECT_EQ(ToProgramPath(m_dFolder.string() + "/a"), "D:/a");
    EXPECT_EQ(ToProgramPath(m_cFolder.string()), "C:" + m_cFolder.string());
    EXPECT_EQ(ToProgramPath("/"), "C:/");
}

TEST_F(DriveMapTest, SameFolderGoesToThePreferredDriveElseTheLowestLetter)
{
    MapDrives("F=" + m_dFolder.string() + ";E=" + m_dFolder.string());
    EXPECT_EQ(ToProgramPath(m_dFolder.string() + "/a"), "E:/a");
    EXPECT_EQ(ToProgramPath(m_dFolder.string() + "/a", 'F'), "F:/a");
    EXPECT_EQ(ToProgramPath(m_dFolder.string() + "/a", 'f'), "F:/a");
}

TEST_F(DriveMapTest, FolderReachedThroughALinkMapsBackFromItsTarget)
{
    const std::filesystem::path target = m_temp.MakeDir("real");
    const std::filesystem::path link = m_temp.Path() / "link";
    std::filesystem::create_directory_symlink(target, link);
    MapDrives("D=" + link.string());
    EXPECT_EQ(ToProgramPath(link.string() + "/a"), "D:/a");
    EXPECT_EQ(ToProgramPath(target.string() + "/a"), "D:/a");
}

TEST_F(DriveMapTest, PathsSurviveTheRoundTrip)
{
    for (const std::string path : {"D:/", "D:/a", "D:/a b/c.d/.e", "C:/x/y/z"})
        EXPECT_EQ(ToProgramPath(ToNativePath(path).value()), path) << path;
}

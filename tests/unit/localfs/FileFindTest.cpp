#include "LocalDrives.h"

#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/FileFind.h"
#include "support/Unprivileged.h"

#include <cerrno>
#include <filesystem>
#include <vector>

#include <unistd.h>

namespace {

struct Found {
    std::string name;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool directory = false;
    bool dots = false;
    bool link = false;
};

// Runs a whole search the way every caller does and returns what it met, in order.
std::vector<Found> Search(const std::string& pattern)
{
    CFileFind finder;
    std::vector<Found> found;
    if (finder.FindFile(pattern)) {
        bool more = true;
        while (more) {
            more = finder.FindNextFile();
            found.push_back({finder.GetFileName(), finder.GetLength(), finder.GetLastWriteTime(),
                             finder.IsDirectory(), finder.IsDots(), finder.IsSymbolicLink()});
        }
    }
    finder.Close();
    return found;
}

std::vector<std::string> Names(const std::vector<Found>& found)
{
    std::vector<std::string> names;
    for (const Found& entry : found)
        names.push_back(entry.name);
    return names;
}

const Found* Named(const std::vector<Found>& found, const std::string& name)
{
    for (const Found& entry : found) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

}  // namespace

using FileFindTest = LocalDrivesTest;

TEST_F(FileFindTest, StarListsTheCurrentDirectoryDotsFirstThenByName)
{
    m_temp.WriteFile("d/list/b.txt", "bb");
    m_temp.WriteFile("d/list/A.txt", "a");
    m_temp.WriteFile("d/list/c", "");
    m_temp.MakeDir("d/list/Sub");
    ASSERT_TRUE(localfs::SetCurrentDirectory("D:/list/"));

    const std::vector<Found> found = Search("*");
    EXPECT_EQ(Names(found), (std::vector<std::string>{".", "..", "A.txt", "b.txt", "c", "Sub"}));
    ASSERT_EQ(found.size(), 6u);
    EXPECT_TRUE(found[0].dots && found[0].directory);
    EXPECT_TRUE(found[1].dots && found[1].directory);
    EXPECT_FALSE(found[2].dots || found[2].directory);
    EXPECT_EQ(found[3].size, 2u);
    EXPECT_TRUE(found[5].directory);
    EXPECT_FALSE(found[5].dots);
    EXPECT_EQ(found[5].size, 0u);
}

TEST_F(FileFindTest, EveryStepButTheLastSaysAnotherFollows)
{
    m_temp.WriteFile("d/two/x", "");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile("D:/two/*"));
    // Nothing is current until the first step.
    EXPECT_EQ(finder.GetFileName(), "");
    EXPECT_TRUE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), ".");
    EXPECT_TRUE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), "..");
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), "x");
    finder.Close();
    EXPECT_EQ(finder.GetFileName(), "");
    EXPECT_FALSE(finder.FindNextFile());
}

TEST_F(FileFindTest, FinderCanBeUsedForAnotherSearch)
{
    m_temp.WriteFile("d/one/first", "");
    m_temp.WriteFile("d/other/second", "");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile("D:/one/first"));
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "first");
    ASSERT_TRUE(finder.FindFile("D:/other/second"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), "second");
}

TEST_F(FileFindTest, DirectoryPatternListsThatDirectoryFromAnywhere)
{
    m_temp.WriteFile("d/far/away.txt", "123");
    m_temp.MakeDir("c/here");
    ASSERT_TRUE(localfs::SetCurrentDirectory("C:/here"));
    EXPECT_EQ(Names(Search("D:/far/*")), (std::vector<std::string>{".", "..", "away.txt"}));
    EXPECT_EQ(Names(Search("d:/far/*")), (std::vector<std::string>{".", "..", "away.txt"}));
    EXPECT_EQ(localfs::GetCurrentDirectory(), "C:/here");
}

TEST_F(FileFindTest, EmptyDirectoryHoldsOnlyTheDots)
{
    m_temp.MakeDir("d/empty");
    const std::vector<Found> found = Search("D:/empty/*");
    EXPECT_EQ(Names(found), (std::vector<std::string>{".", ".."}));
}

TEST_F(FileFindTest, BareNameFindsThatEntryOfTheCurrentDirectory)
{
    m_temp.WriteFile("d/in/wanted.txt", "12345");
    m_temp.WriteFile("d/in/other.txt", "");
    ASSERT_TRUE(localfs::SetCurrentDirectory("D:/in"));
    const std::vector<Found> found = Search("wanted.txt");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "wanted.txt");
    EXPECT_EQ(found[0].size, 5u);
    EXPECT_TRUE(Search("missing.txt").empty());
    // Case matters on this file system.
    EXPECT_TRUE(Search("WANTED.TXT").empty());
}

TEST_F(FileFindTest, FullPathFindsOneEntry)
{
    m_temp.WriteFile("d/deep/er/file.bin", "abc");
    m_temp.MakeDir("d/deep/er/folder");
    std::vector<Found> found = Search("D:/deep/er/file.bin");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "file.bin");
    EXPECT_EQ(found[0].size, 3u);
    EXPECT_FALSE(found[0].directory);

    found = Search("D:/deep/er/folder");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].directory);
    EXPECT_FALSE(found[0].dots);
}

TEST_F(FileFindTest, WildcardsMatchWholeNames)
{
    for (const char* name : {"a.txt", "b.TXT", "c.txt.bak", ".txt", "[x].txt", "ab"})
        m_temp.WriteFile(std::string("d/w/") + name, "");
    EXPECT_EQ(Names(Search("D:/w/*.txt")), (std::vector<std::string>{".txt", "[x].txt", "a.txt"}));
    EXPECT_EQ(Names(Search("D:/w/?b")), (std::vector<std::string>{"ab"}));
    EXPECT_EQ(Names(Search("D:/w/[x]*")), (std::vector<std::string>{"[x].txt"}));
    EXPECT_TRUE(Search("D:/w/*.none").empty());
}

TEST_F(FileFindTest, SizesBeyondFourGibibytesComeThrough)
{
    const std::filesystem::path big = m_temp.WriteFile("d/big/sparse.img", "");
    std::filesystem::resize_file(big, kOver4GiB);
    const std::vector<Found> found = Search("D:/big/*");
    const Found* entry = Named(found, "sparse.img");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->size, kOver4GiB);
    ASSERT_EQ(Search("D:/big/sparse.img").size(), 1u);
    EXPECT_EQ(Search("D:/big/sparse.img")[0].size, kOver4GiB);
}

TEST_F(FileFindTest, TimesBefore1970AndAfter2038ComeThrough)
{
    SetModified(m_temp.WriteFile("d/t/old", ""), kBefore1970);
    SetModified(m_temp.WriteFile("d/t/future", ""), kAfter2038);
    SetModified(m_temp.WriteFile("d/t/epoch", ""), 0);
    const std::vector<Found> found = Search("D:/t/*");
    ASSERT_NE(Named(found, "old"), nullptr);
    EXPECT_EQ(Named(found, "old")->modified, kBefore1970);
    EXPECT_EQ(Named(found, "future")->modified, kAfter2038);
    EXPECT_EQ(Named(found, "epoch")->modified, 0);
}

TEST_F(FileFindTest, NamesWithSpacesUnicodeAndLeadingDotsComeThrough)
{
    const std::vector<std::string> names{"with  two spaces .txt", "Grüße €.txt", "日本語", ".hidden", "..double"};
    for (const std::string& name : names)
        m_temp.WriteFile("d/n/" + name, name);
    const std::vector<Found> found = Search("D:/n/*");
    for (const std::string& name : names) {
        const Found* entry = Named(found, name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->size, name.size());
        EXPECT_FALSE(entry->dots) << name;
    }
    EXPECT_EQ(found.size(), names.size() + 2);
    ASSERT_EQ(Search("D:/n/Grüße €.txt").size(), 1u);
}

TEST_F(FileFindTest, LinksReportTheirTargetAndSayTheyAreLinks)
{
    m_temp.WriteFile("d/l/target/inside", "");
    m_temp.WriteFile("d/l/file.txt", "four");
    const std::filesystem::path folder = m_dFolder / "l";
    std::filesystem::create_directory_symlink(folder / "target", folder / "to-dir");
    std::filesystem::create_directory_symlink(folder, folder / "target" / "loop");
    std::filesystem::create_symlink(folder / "file.txt", folder / "to-file");
    std::filesystem::create_symlink(folder / "missing", folder / "dangling");
    SetModified(folder / "file.txt", kAfter2038);

    const std::vector<Found> found = Search("D:/l/*");
    const Found* toDir = Named(found, "to-dir");
    const Found* toFile = Named(found, "to-file");
    const Found* dangling = Named(found, "dangling");
    ASSERT_TRUE(toDir && toFile && dangling);
    EXPECT_TRUE(toDir->directory);
    EXPECT_TRUE(toDir->link);
    EXPECT_FALSE(toFile->directory);
    EXPECT_TRUE(toFile->link);
    EXPECT_EQ(toFile->size, 4u);
    EXPECT_EQ(toFile->modified, kAfter2038);
    EXPECT_FALSE(dangling->directory);
    EXPECT_TRUE(dangling->link);
    EXPECT_FALSE(Named(found, "file.txt")->link);
    EXPECT_FALSE(Named(found, "target")->link);

    // A link to a directory can be browsed into; the loop inside is told apart as a link.
    const std::vector<Found> inside = Search("D:/l/to-dir/*");
    EXPECT_EQ(Names(inside), (std::vector<std::string>{".", "..", "inside", "loop"}));
    EXPECT_TRUE(Named(inside, "loop")->link);
    EXPECT_TRUE(Named(inside, "loop")->directory);
}

TEST_F(FileFindTest, UnreadableOrMissingDirectoryFindsNothing)
{
    m_temp.WriteFile("d/plain.txt", "x");
    EXPECT_TRUE(Search("D:/missing/*").empty());
    EXPECT_TRUE(Search("D:/plain.txt/*").empty());
    EXPECT_TRUE(Search("Q:/*").empty());
    EXPECT_TRUE(Search("D:/../*").empty());
    EXPECT_TRUE(Search("D:/..").empty());
    EXPECT_TRUE(Search("D:/").empty());
    EXPECT_TRUE(Search("").empty());
}

TEST_F(FileFindTest, StarInADeletedCurrentDirectoryFindsNothing)
{
    const std::filesystem::path gone = m_temp.MakeDir("d/gone");
    ASSERT_TRUE(localfs::SetCurrentDirectory("D:/gone"));
    std::filesystem::remove(gone);
    EXPECT_TRUE(Search("*").empty());
}

// A search that ran and matched nothing must read differently from one that could not run: an
// unreadable folder shown as empty would be taken for an empty one.
TEST_F(FileFindTest, FailedSearchSaysWhyAndNothingMatchedSaysSo)
{
    m_temp.WriteFile("d/plain.txt", "x");
    m_temp.MakeDir("d/empty");
    struct Case {
        const char* pattern;
        bool couldRun;
    };
    const Case cases[] = {
        {"D:/*.none", true},       {"D:/nothing-here", true}, {"D:/missing/*", false},
        {"D:/plain.txt/*", false}, {"Q:/*", false},
    };
    for (const Case& c : cases) {
        CFileFind finder;
        EXPECT_FALSE(finder.FindFile(c.pattern)) << c.pattern;
        if (c.couldRun) {
            EXPECT_EQ(finder.GetLastErrorCode(), ERROR_NO_MORE_FILES) << c.pattern;
            EXPECT_EQ(finder.GetLastErrorText(), "") << c.pattern;
        } else {
            EXPECT_NE(finder.GetLastErrorCode(), ERROR_NO_MORE_FILES) << c.pattern;
            EXPECT_NE(finder.GetLastErrorCode(), 0u) << c.pattern;
            EXPECT_NE(finder.GetLastErrorText(), "") << c.pattern;
        }
    }
    CFileFind finder;
    EXPECT_TRUE(finder.FindFile("D:/empty/*"));   // the dots
    EXPECT_EQ(finder.GetLastErrorCode(), 0u);
}

TEST_F(FileFindTest, UnreadableFolderFailsWithPermissionDenied)
{
    const std::filesystem::path locked = m_temp.MakeDir("d/locked");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    ScopedUnprivileged unprivileged;
    if (!unprivileged.Ready())
        GTEST_SKIP() << unprivileged.Failure();
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile("D:/locked/*"));
    EXPECT_EQ(finder.GetLastErrorCode(), 5u);   // ERROR_ACCESS_DENIED
    EXPECT_EQ(finder.GetLastErrorText(), "Permission denied");
    EXPECT_EQ(finder.LastErrno(), EACCES);
    // Entering it fails for the same reason, so the tree can say why.
    errno = 0;
    EXPECT_FALSE(localfs::SetCurrentDirectory("D:/locked"));
    EXPECT_EQ(errno, EACCES);
}

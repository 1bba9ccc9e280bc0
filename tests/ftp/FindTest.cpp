// Searching server directories with CFtpFileFind: "*", "dir/*" and bare names, with what the
// server's disk holds as the expected answer.

#include "ftp/support/FileTimes.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <map>
#include <memory>

using testing::UnorderedElementsAreArray;

namespace {

struct Found {
    std::uint64_t length = 0;
    std::int64_t time = 0;
    bool directory = false;
    bool link = false;
};

// Every entry the search yields except "." and "..", by name; empty when FindFile fails.
std::map<std::string, Found> FindAll(CFtpConnection& connection, const std::string& pattern)
{
    std::map<std::string, Found> found;
    CFtpFileFind finder(&connection);
    if (finder.FindFile(pattern)) {
        for (bool more = true; more;) {
            more = finder.FindNextFile();
            if (!finder.IsDots())
                found[finder.GetFileName()] = {finder.GetLength(), finder.GetLastWriteTime(), finder.IsDirectory(),
                                               finder.IsSymbolicLink()};
        }
    }
    finder.Close();
    return found;
}

std::vector<std::string> Names(const std::map<std::string, Found>& found)
{
    std::vector<std::string> names;
    for (const auto& [name, entry] : found)
        names.push_back(name);
    return names;
}

} // namespace

class FindTest : public ServerTest {
protected:
    // A folder with files, subfolders, spaces, non-ASCII and dot names.
    std::vector<std::string> MakeMixedFolder(const std::string& folder)
    {
        Server().WriteFile(Local(folder + "/plain.txt"), "12345");
        Server().WriteFile(Local(folder + "/with  two spaces.doc"), "ab");
        Server().WriteFile(Local(folder + "/ trailing and leading "), "c");
        Server().WriteFile(Local(folder + "/Größe 東京.txt"), "unicode");
        Server().WriteFile(Local(folder + "/.hidden"), "dot");
        Server().MakeDir(Local(folder + "/sub dir"));
        Server().MakeDir(Local(folder + "/.dotdir"));
        return {"plain.txt", "with  two spaces.doc", " trailing and leading ", "Größe 東京.txt", ".hidden",
                "sub dir", ".dotdir"};
    }
};

TEST_P(FindTest, FindsEveryEntryOfCurrentDirectory)
{
    auto expected = MakeMixedFolder("mixed");
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("mixed")));
    EXPECT_THAT(Names(FindAll(Connection(), "*")), UnorderedElementsAreArray(expected));
}

TEST_P(FindTest, FindsEveryEntryOfNamedDirectory)
{
    auto expected = MakeMixedFolder("named");
    EXPECT_THAT(Names(FindAll(Connection(), Remote("named") + "/*")), UnorderedElementsAreArray(expected));
}

TEST_P(FindTest, FindsEntriesOfRelativeDirectory)
{
    auto expected = MakeMixedFolder("rel/inner");
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("rel")));
    EXPECT_THAT(Names(FindAll(Connection(), "inner/*")), UnorderedElementsAreArray(expected));
}

TEST_P(FindTest, GivesSizesKindsAndTimes)
{
    const std::int64_t when = RecentMinute();
    SetModified(Server().WriteFile(Local("facts/five.bin"), "12345"), when);
    SetModified(Server().MakeDir(Local("facts/folder")), when);
    auto found = FindAll(Connection(), Remote("facts") + "/*");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found["five.bin"].length, 5u);
    EXPECT_FALSE(found["five.bin"].directory);
    EXPECT_EQ(found["five.bin"].time, when);
    EXPECT_TRUE(found["folder"].directory);
    EXPECT_EQ(found["folder"].time, when);
}

TEST_P(FindTest, GivesFullLengthOfFileOverFourGiB)
{
    const std::uint64_t length = 5ull * 1024 * 1024 * 1024 + 3;
    std::filesystem::path big = Server().WriteFile(Local("big/sparse.img"), "");
    std::filesystem::resize_file(big, length);   // sparse: no disk space used
    auto found = FindAll(Connection(), Remote("big") + "/*");
    ASSERT_EQ(found.count("sparse.img"), 1u);
    EXPECT_EQ(found["sparse.img"].length, length);
}

TEST_P(FindTest, FindsExactlyTheBareName)
{
    MakeMixedFolder("bare");
    Server().WriteFile(Local("bare/plain.txt.bak"), "other");
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("bare")));
    auto found = FindAll(Connection(), "plain.txt");
    EXPECT_THAT(Names(found), UnorderedElementsAreArray({"plain.txt"}));
    EXPECT_EQ(found["plain.txt"].length, 5u);
}

TEST_P(FindTest, FindsBareNameWithSpaces)
{
    MakeMixedFolder("spaced");
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("spaced")));
    EXPECT_THAT(Names(FindAll(Connection(), "with  two spaces.doc")),
                UnorderedElementsAreArray({"with  two spaces.doc"}));
    EXPECT_THAT(Names(FindAll(Connection(), " trailing and leading ")),
                UnorderedElementsAreArray({" trailing and leading "}));
}

TEST_P(FindTest, FindsBareNameOfDirectoryAsItself)
{
    Server().WriteFile(Local("holder/child/inside.txt"), "x");
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("holder")));
    auto found = FindAll(Connection(), "child");
    EXPECT_THAT(Names(found), UnorderedElementsAreArray({"child"}));
    EXPECT_TRUE(found["child"].directory);
}

// A symbolic link beside the file, pointing at it, is an entry of another name.
TEST_P(FindTest, DoesNotTakeLinkToTheNameForTheName)
{
    Server().WriteFile(Local("linked/target.txt"), "real");
    Server().MakeSymlink(Local("linked/pointer"), "target.txt");
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("linked")));
    auto found = FindAll(Connection(), "target.txt");
    EXPECT_THAT(Names(found), UnorderedElementsAreArray({"target.txt"}));
    EXPECT_FALSE(found["target.txt"].link);
    EXPECT_EQ(found["target.txt"].length, 4u);
}

TEST_P(FindTest, FindsNothingForMissingName)
{
    Server().WriteFile(Local("few/one.txt"), "1");
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("few")));
    CFtpFileFind finder(&Connection());
    EXPECT_FALSE(finder.FindFile("two.txt"));
    EXPECT_EQ(finder.GetLastErrorCode(), ERROR_NO_MORE_FILES);
}

// A directory that is not there could not be listed: that is no empty folder.
TEST_P(FindTest, FailsToListMissingDirectory)
{
    CFtpFileFind finder(&Connection());
    EXPECT_FALSE(finder.FindFile(Remote("nowhere") + "/*"));
    EXPECT_EQ(finder.GetLastErrorCode(), ERROR_INTERNET_EXTENDED_ERROR);
    EXPECT_THAT(finder.GetLastErrorText(), testing::MatchesRegex("5[0-9][0-9] .*"));
}

TEST_P(FindTest, FindsNothingInEmptyDirectory)
{
    Server().MakeDir(Local("void"));
    CFtpFileFind finder(&Connection());
    EXPECT_FALSE(finder.FindFile(Remote("void") + "/*"));
    EXPECT_EQ(finder.GetLastErrorCode(), ERROR_NO_MORE_FILES);
    finder.Close();
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("void")));
    EXPECT_FALSE(finder.FindFile("*"));
    EXPECT_EQ(finder.GetLastErrorCode(), ERROR_NO_MORE_FILES);
    EXPECT_EQ(finder.GetLastErrorText(), "");
}

TEST_P(FindTest, FindsAgainAfterClose)
{
    Server().WriteFile(Local("again/a.txt"), "a");
    EXPECT_EQ(FindAll(Connection(), Remote("again") + "/*").size(), 1u);
    EXPECT_EQ(FindAll(Connection(), Remote("again") + "/*").size(), 1u);
}

// One request at a time: an open search keeps the connection busy until it is closed.
TEST_P(FindTest, RefusesOtherRequestsWhileSearchIsOpen)
{
    Server().WriteFile(Local("busy/a.txt"), "a");
    CFtpFileFind finder(&Connection());
    ASSERT_TRUE(finder.FindFile(Remote("busy") + "/*"));

    EXPECT_FALSE(Connection().CreateDirectory(Remote("busy/made")));
    EXPECT_EQ(Connection().GetLastErrorCode(), ERROR_FTP_TRANSFER_IN_PROGRESS);
    try {
        std::unique_ptr<CInternetFile> file(Connection().OpenFile(Remote("busy/a.txt")));
        ADD_FAILURE() << "a file opened while a search was open";
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.m_dwError, ERROR_FTP_TRANSFER_IN_PROGRESS);
    }
    CFtpFileFind second(&Connection());
    EXPECT_FALSE(second.FindFile("*"));

    finder.Close();
    EXPECT_FALSE(Server().Exists(Local("busy/made")));
    EXPECT_TRUE(Connection().CreateDirectory(Remote("busy/made")));
}

TEST_P(FindTest, RefusesSearchWhileFileIsOpen)
{
    Server().WriteFile(Local("open/a.txt"), "a");
    std::unique_ptr<CInternetFile> file(Connection().OpenFile(Remote("open/a.txt")));
    CFtpFileFind finder(&Connection());
    EXPECT_FALSE(finder.FindFile(Remote("open") + "/*"));
    EXPECT_FALSE(Connection().Remove(Remote("open/a.txt")));
    EXPECT_EQ(Connection().GetLastErrorCode(), ERROR_FTP_TRANSFER_IN_PROGRESS);
    char buffer[16];
    EXPECT_EQ(file->Read(buffer, sizeof buffer), 1u);
    file->Close();
    EXPECT_TRUE(Server().Exists(Local("open/a.txt")));
}

INSTANTIATE_TEST_SUITE_P(Servers, FindTest, testing::ValuesIn(AllServerModes()), ServerModeName);

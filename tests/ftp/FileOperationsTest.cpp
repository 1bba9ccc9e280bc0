// The program's file operations on a host, against both real servers: the look-up by
// directory and name, the retried changes counted in the server's own log, and names that a
// server takes or refuses. What the server's disk holds afterwards is the expected answer.

#include "ftp/support/FileTimes.h"
#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "net/FileChanges.h"
#include "net/FileLookup.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

class FileOperationsTest : public ServerTest {
protected:
    CFtpConnection* Host() { return &Connection(); }

    // The server's count once every earlier command is in its log: pyftpdlib writes a command's
    // line just after the reply, but always before it reads the next command (here a PWD).
    int Logged(const char* verb, const std::string& path)
    {
        std::string ignored;
        Host()->GetCurrentDirectory(ignored);
        return Server().CountCommands(verb, path);
    }
};

TEST_P(FileOperationsTest, LooksUpFilesByDirectoryAndName)
{
    const std::int64_t when = RecentMinute();
    SetModified(Server().WriteFile(Local("look/plain.txt"), "12345"), when);
    Server().WriteFile(Local("look/plain.txt.bak"), "longer content");
    Server().WriteFile(Local("look/with  two spaces.doc"), "ab");
    // A link to the name is an entry of its own name (vsftpd's "LIST plain.txt" lists it too).
    Server().MakeSymlink(Local("look/pointer"), "plain.txt");
    const std::uint64_t big = (5ULL << 30) + 3;
    fs::resize_file(Server().WriteFile(Local("look/sparse.img"), ""), big);

    EXPECT_NE(FileExists(Host(), Remote("look/plain.txt")), 0);
    std::string current;
    ASSERT_TRUE(Host()->GetCurrentDirectory(current));
    EXPECT_EQ(current, Remote("look"));
    EXPECT_NE(FileExists(Host(), Remote("look/with  two spaces.doc")), 0);
    EXPECT_NE(FileExists(Host(), Remote("look/pointer")), 0);
    EXPECT_EQ(FileExists(Host(), Remote("look/plain")), 0);
    EXPECT_EQ(FileExists(Host(), Remote("look/two spaces.doc")), 0);

    std::string size = "???";
    std::int64_t modified = 0;
    ASSERT_NE(GetFileInfo(Host(), Remote("look/plain.txt"), size, modified), 0);
    EXPECT_EQ(size, "5");
    EXPECT_EQ(modified, when);
    ASSERT_NE(GetFileInfo(Host(), Remote("look/sparse.img"), size, modified), 0);
    EXPECT_EQ(size, std::to_string(big));
    EXPECT_EQ(GetRemoteFileSize(Host(), Remote("look/sparse.img")), static_cast<std::int64_t>(big));
    EXPECT_EQ(GetRemoteFileSize(Host(), Remote("look/with  two spaces.doc")), 2);
    EXPECT_EQ(GetRemoteFileSize(Host(), Remote("look/plain.txt")), 5);

    size = "stale";
    modified = 7;
    EXPECT_EQ(GetFileInfo(Host(), Remote("look/missing.txt"), size, modified), 0);
    EXPECT_EQ(size, "???");
    EXPECT_EQ(modified, 7);
    EXPECT_EQ(GetRemoteFileSize(Host(), Remote("look/missing.txt")), -1);

    // A listing that arrived without the name is the answer: it is not asked for again.
    // (vsftpd logs each LIST; pyftpdlib answers the look-up with MLST and logs neither.)
    if (GetParam().kind == ServerKind::Vsftpd) {
        const int before = Logged("LIST", "-a");
        EXPECT_EQ(GetRemoteFileSize(Host(), Remote("look/missing.txt")), -1);
        EXPECT_EQ(Logged("LIST", "-a"), before + 1);
    }
}

// The search must never run where the connection happens to stand: a file of the same name
// there would be reported as the one asked for.
TEST_P(FileOperationsTest, FindsNothingWhereTheDirectoryCannotBeEntered)
{
    Server().WriteFile(Local("here/same.txt"), "here");
    ASSERT_TRUE(Host()->SetCurrentDirectory(Remote("here")));

    for (const std::string& missing : {Remote("gone/same.txt"), Remote("here/same.txt/same.txt")}) {
        SCOPED_TRACE(missing);
        std::string size;
        std::int64_t modified = 0;
        EXPECT_EQ(FileExists(Host(), missing), 0);
        EXPECT_EQ(GetFileInfo(Host(), missing, size, modified), 0);
        EXPECT_EQ(size, "???");
        EXPECT_EQ(GetRemoteFileSize(Host(), missing), -1);
    }
    // Six attempts at the change for each of the three look-ups.
    EXPECT_EQ(Logged("CWD", Remote("gone")), 3 * 6);
    EXPECT_EQ(GetRemoteFileSize(Host(), Remote("here/same.txt")), 4);
}

TEST_P(FileOperationsTest, TriesARefusedChangeExactlyFiveTimes)
{
    Server().MakeDir(Local("made"));
    Server().WriteFile(Local("full/keep.txt"), "keep");
    struct Case {
        const char* verb;
        std::string path;
        std::function<int()> run;
    };
    const std::vector<Case> cases = {
        {"MKD", Remote("made"), [&] { return MakeDir(Host(), Remote("made")); }},
        {"RMD", Remote("full"), [&] { return RemoveDir(Host(), Remote("full")); }},
        {"DELE", Remote("missing.txt"), [&] { return RemoveFile(Host(), Remote("missing.txt")); }},
        {"RNFR", Remote("absent.txt"), [&] { return RenameFile(Host(), Remote("absent.txt"), Remote("b.txt")); }},
        {"RNFR", Remote("absent"), [&] { return RenameDir(Host(), Remote("absent"), Remote("b")); }},
    };
    for (const Case& refused : cases) {
        SCOPED_TRACE(refused.verb);
        EXPECT_EQ(refused.run(), 0);
        EXPECT_NE(Host()->GetLastErrorCode(), 0u);
        EXPECT_EQ(Logged(refused.verb, refused.path), 5);
    }
    EXPECT_EQ(Server().ReadFile(Local("full/keep.txt")), "keep");

    EXPECT_NE(MakeDir(Host(), Remote("fresh")), 0);
    EXPECT_EQ(Logged("MKD", Remote("fresh")), 1);
}

TEST_P(FileOperationsTest, CreatesRenamesAndRemoves)
{
    ASSERT_NE(MakeDir(Host(), Remote("New Folder")), 0);
    EXPECT_TRUE(fs::is_directory(Server().Root() / Local("New Folder")));
    Server().WriteFile(Local("New Folder/sub/inner.txt"), "inner");

    ASSERT_NE(RenameDir(Host(), Remote("New Folder"), Remote("Renamed")), 0);
    EXPECT_EQ(Server().ReadFile(Local("Renamed/sub/inner.txt")), "inner");
    EXPECT_FALSE(Server().Exists(Local("New Folder")));
    ASSERT_NE(RenameDir(Host(), Remote("Renamed"), Remote("RENAMED")), 0);
    EXPECT_EQ(Server().ReadFile(Local("RENAMED/sub/inner.txt")), "inner");

    // The server would replace b.txt; the rename is refused before RNFR is sent.
    Server().WriteFile(Local("a.txt"), "A");
    Server().WriteFile(Local("b.txt"), "B");
    EXPECT_EQ(RenameFile(Host(), Remote("a.txt"), Remote("b.txt")), 0);
    EXPECT_EQ(Logged("RNFR", Remote("a.txt")), 0);
    EXPECT_EQ(Server().ReadFile(Local("a.txt")), "A");
    EXPECT_EQ(Server().ReadFile(Local("b.txt")), "B");
    ASSERT_NE(RenameFile(Host(), Remote("a.txt"), Remote("c.txt")), 0);
    EXPECT_EQ(Server().ReadFile(Local("c.txt")), "A");

    // A link to a folder goes as a link: the folder stays.
    Server().MakeSymlink(Local("link"), "RENAMED");
    ASSERT_NE(RemoveFile(Host(), Remote("link")), 0);
    EXPECT_FALSE(Server().Exists(Local("link")));
    EXPECT_EQ(Server().ReadFile(Local("RENAMED/sub/inner.txt")), "inner");

    ASSERT_NE(RemoveFile(Host(), Remote("RENAMED/sub/inner.txt")), 0);
    ASSERT_NE(RemoveDir(Host(), Remote("RENAMED/sub")), 0);
    EXPECT_FALSE(Server().Exists(Local("RENAMED/sub")));
}

TEST_P(FileOperationsTest, TakesOddNamesAndRefusesImpossibleOnes)
{
    for (const std::string name : {"with space", "Größe 東京", "-rf", ".dotted", "..two dots", " lead"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(MakeDir(Host(), Remote(name)), 0);
        EXPECT_TRUE(fs::is_directory(Server().Root() / Local(name)));
        EXPECT_NE(FileExists(Host(), Remote(name)), 0);
        ASSERT_NE(RenameDir(Host(), Remote(name), Remote(name + " 2")), 0);
        EXPECT_TRUE(fs::is_directory(Server().Root() / Local(name + " 2")));
    }

    // Longer than any file system's name limit: the server refuses, nothing is made.
    const std::string tooLong(300, 'x');
    EXPECT_EQ(MakeDir(Host(), Remote(tooLong)), 0);
    Server().WriteFile(Local("kept.txt"), "kept");
    EXPECT_EQ(RenameFile(Host(), Remote("kept.txt"), Remote(tooLong)), 0);
    EXPECT_EQ(Server().ReadFile(Local("kept.txt")), "kept");

    // A new name holding "/" never reaches the server, nor do "." and "..".
    Server().MakeDir(Local("elsewhere"));
    EXPECT_EQ(RenameFile(Host(), Remote("kept.txt"), Remote("elsewhere/kept.txt")), 0);
    EXPECT_EQ(RenameFile(Host(), Remote("kept.txt"), Remote("..")), 0);
    EXPECT_EQ(Logged("RNFR", Remote("kept.txt")), 5);
    EXPECT_EQ(MakeDir(Host(), Remote(".")), 0);
    EXPECT_EQ(Logged("MKD", Remote(".")), 0);
    EXPECT_EQ(Server().ReadFile(Local("kept.txt")), "kept");
    EXPECT_FALSE(Server().Exists(Local("elsewhere/kept.txt")));
}

// A host that stops answering costs one time-out, not six: the look-up gives up at once.
TEST(FileOperationsOnSilentHostTest, GiveUpAfterOneTimeOut)
{
    RogueServer rogue("stall-reply");
    RecordingSession session;
    session.SetTimeout(std::chrono::milliseconds(1500));
    ConnectionPtr host(session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword, rogue.Port(),
                                                true));
    EXPECT_EQ(FileExists(host.get(), "/pub/file.bin"), 0);
    EXPECT_EQ(GetRemoteFileSize(host.get(), "/pub/file.bin"), -1);
    EXPECT_EQ(host->GetLastErrorCode(), ERROR_INTERNET_TIMEOUT);
    EXPECT_EQ(rogue.CountCommands("CWD"), 2);
}

INSTANTIATE_TEST_SUITE_P(Servers, FileOperationsTest, testing::ValuesIn(AllServerModes()), ServerModeName);

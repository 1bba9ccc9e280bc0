// The transfer engine against real servers in every direction, and against servers that fail
// in the middle of a file: every byte arrives, or the file reads as failed.

#include "ftp/support/ConnectionKiller.h"
#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "net/FileTransfer.h"
#include "net/FtpSession.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"
#include "platform/localfs/DriveMap.h"
#include "platform/ui/MessageBox.h"
#include "profiles/HostProfile.h"
#include "unit/net/CopyTestFiles.h"
#include "unit/net/RecordingProgress.h"

#include <gmock/gmock.h>
#include <wx/defs.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace {

constexpr const char* kOddName = "name with spaces ü.bin";

std::string RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(generator()); });
    return bytes;
}

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Drive C: is a temporary folder while the object lives.
class LocalDrive {
public:
    LocalDrive() : m_drives("FERRIX_DRIVES", "C=" + m_folder.Str()) { localfs::ReloadDriveMap(); }
    ~LocalDrive()
    {
        fs::current_path(m_savedCwd);
        localfs::ReloadDriveMap();
    }
    const fs::path& Folder() const { return m_folder.Path(); }
    fs::path Write(const std::string& name, const std::string& content) const { return m_folder.WriteFile(name, content); }

private:
    fs::path m_savedCwd = fs::current_path();
    TempDir m_folder;
    ScopedEnv m_drives;
};

// A session like the test's own, as the program makes one for the second connection.
SessionFactory RecordingSessions(std::vector<RecordingSession*>& made)
{
    return [&made](DWORD_PTR context) {
        auto session = std::make_unique<RecordingSession>(context);
        session->SetTimeout(kTestTimeout);
        made.push_back(session.get());
        return std::unique_ptr<CInternetSession>(std::move(session));
    };
}

}  // namespace

class FileTransferTest : public ServerTest {
protected:
    HostProfile Profile(const std::string& password) const
    {
        HostProfile profile;
        profile.host = "127.0.0.1";
        profile.user = const_cast<FileTransferTest*>(this)->Server().User();
        profile.password = password;
        profile.port = static_cast<std::int16_t>(const_cast<FileTransferTest*>(this)->Server().Port());
        profile.useDefaultPort = 0;
        profile.passive = GetParam().passive ? 1 : 0;
        profile.security = ConnectionSecurity::Plain;   // the servers speak plain FTP
        return profile;
    }

    LocalDrive m_local;
};

INSTANTIATE_TEST_SUITE_P(Servers, FileTransferTest, testing::ValuesIn(AllServerModes()), ServerModeName);

TEST_P(FileTransferTest, UploadsAndDownloadsEveryByte)
{
    const std::string big = RandomBytes(300 * 1024 + 17, 1);
    m_local.Write(kOddName, big);
    m_local.Write("empty", "");
    CFtpConnection& connection = Connection();
    {
        CFileTransfer upload(nullptr, &connection);
        EXPECT_EQ(upload.GetMode(), LocalToRemote);
        EXPECT_EQ(upload.CopyFile(std::string("C:/") + kOddName, Remote(kOddName)), Copied) << upload.GetLastError();
        EXPECT_EQ(upload.CopyFile("C:/empty", Remote("empty")), Copied) << upload.GetLastError();
        upload.Finish();
    }
    EXPECT_TRUE(Server().ReadFile(Local(kOddName)) == big);
    EXPECT_EQ(Server().ReadFile(Local("empty")), "");

    RecordingProgress progress;
    CFileTransfer download(&connection, nullptr);
    download.AttachDialog(&progress);
    EXPECT_EQ(download.GetMode(), RemoteToLocal);
    EXPECT_EQ(download.CopyFile(Remote(kOddName), "C:/back.bin"), Copied) << download.GetLastError();
    // The size came from the host: the dialog counted to the whole file, and each of the 31
    // blocks lost less than one step of the bar to truncation.
    ASSERT_FALSE(progress.shown.empty());
    EXPECT_EQ(progress.shown.front().status, "0K of 300K ( in 0K/sec )");
    EXPECT_EQ(progress.shown.back().percent, "100%");
    EXPECT_EQ(progress.barRange, 65535U);
    EXPECT_LE(progress.barPosition, 65535U);
    EXPECT_GT(progress.barPosition, 65535U - 31);
    EXPECT_EQ(download.CopyFile(Remote("empty"), "C:/back-empty"), Copied) << download.GetLastError();
    EXPECT_TRUE(ReadAll(m_local.Folder() / "back.bin") == big);
    EXPECT_TRUE(fs::exists(m_local.Folder() / "back-empty"));
    EXPECT_EQ(fs::file_size(m_local.Folder() / "back-empty"), 0U);
}

TEST_P(FileTransferTest, ReplacesOnlyWhenAskedAndOnlyOnceComplete)
{
    Server().WriteFile(Local("target.txt"), "old on the server");
    m_local.Write("target.txt", "old on this machine");
    m_local.Write("new.txt", "the new content");
    Server().WriteFile(Local("new.txt"), "the new content from the server");
    CFtpConnection& connection = Connection();
    int answer = wxNO;
    int asked = 0;
    ScopedMessageBoxAnswerer answerer([&](const std::string&, long) { return ++asked, answer; });

    CFileTransfer upload(nullptr, &connection);
    EXPECT_EQ(upload.CopyFile("C:/new.txt", Remote("target.txt")), Skipped);
    EXPECT_EQ(Server().ReadFile(Local("target.txt")), "old on the server");
    answer = wxYES;
    EXPECT_EQ(upload.CopyFile("C:/new.txt", Remote("target.txt")), Replaced) << upload.GetLastError();
    EXPECT_EQ(Server().ReadFile(Local("target.txt")), "the new content");
    // In a folder the batch created the first file of a name is not looked up, but a second one
    // of that name (or one a host ignoring case could take for it) is, and the user is asked.
    EXPECT_EQ(upload.MakeDirectory(Remote("fresh")), 1);
    EXPECT_EQ(upload.MakeDirectory(Remote("fresh")), 0) << "a folder that is there is not the batch's";
    EXPECT_EQ(upload.CopyFile("C:/target.txt", Remote("fresh/new.txt")), Copied) << upload.GetLastError();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(upload.CopyFile("C:/new.txt", Remote("fresh/new.txt")), Replaced) << upload.GetLastError();
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(upload.CopyFile("C:/new.txt", Remote("fresh/NEW.txt")), Copied) << upload.GetLastError();
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(Server().ReadFile(Local("fresh/new.txt")), "the new content");
    EXPECT_EQ(Server().ReadFile(Local("fresh/NEW.txt")), "the new content");
    upload.Finish();

    CFileTransfer download(&connection, nullptr);
    EXPECT_EQ(download.CopyFile(Remote("new.txt"), "C:/target.txt"), Replaced) << download.GetLastError();
    EXPECT_EQ(ReadAll(m_local.Folder() / "target.txt"), "the new content from the server");
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(HiddenFiles(Server().Root() / Local("")), 0);
    EXPECT_EQ(HiddenFiles(m_local.Folder()), 0);
}

TEST_P(FileTransferTest, CopiesWithinTheHostOverASecondConnection)
{
    // pyftpdlib 1.5.7 in active mode sometimes loses the writable event of a download's data
    // connection when the same server is asked to connect a second data connection meanwhile
    // (seen with strace: 65536 of 65539 bytes sent, the rest never): the copy then times out
    // and fails, as it should, but the test could not show the copy itself.
    if (GetParam().kind == ServerKind::Pyftpdlib && !GetParam().passive)
        GTEST_SKIP() << "pyftpdlib stalls two concurrent active-mode transfers";
    const std::string content = RandomBytes(64 * 1024 + 3, 2);
    Server().WriteFile(Local(kOddName), content);
    Server().WriteFile(Local("copy.bin"), "old");
    CFtpConnection& connection = Connection();
    const HostProfile profile = Profile(Server().Password());
    std::vector<RecordingSession*> sessions;
    int asked = 0;
    ScopedMessageBoxAnswerer answerer([&](const std::string&, long) { return ++asked, wxYES; });
    {
        CFileTransfer transfer(&connection, &connection, {RecordingSessions(sessions), &profile, {}});
        ASSERT_EQ(transfer.GetMode(), SameRemote);
        ASSERT_TRUE(transfer.HasExtraConnection()) << transfer.GetLastError();
        EXPECT_EQ(transfer.CopyFile(Remote(kOddName), Remote("copy.bin")), Replaced) << transfer.GetLastError();
        EXPECT_EQ(transfer.CopyFile(Remote(kOddName), Remote("second.bin")), Copied) << transfer.GetLastError();
        // The second connection's session has context 13 and reports to its callback.
        ASSERT_EQ(sessions.size(), 1U);
        EXPECT_EQ(sessions[0]->GetContext(), kSameHostContext);
        EXPECT_FALSE(sessions[0]->Notifications().empty());
    }
    EXPECT_TRUE(Server().ReadFile(Local("copy.bin")) == content);
    EXPECT_TRUE(Server().ReadFile(Local("second.bin")) == content);
    EXPECT_EQ(asked, 1);
}

TEST_P(FileTransferTest, WithoutItsSecondConnectionACopyWithinTheHostTouchesNothing)
{
    Server().WriteFile(Local("a.txt"), "a");
    Server().WriteFile(Local("b.txt"), "the user's b");
    CFtpConnection& connection = Connection();
    const HostProfile profile = Profile("wrong password");
    std::vector<RecordingSession*> sessions;
    int asked = 0;
    ScopedMessageBoxAnswerer answerer([&](const std::string&, long) { return ++asked, wxYES; });
    CFileTransfer transfer(&connection, &connection, {RecordingSessions(sessions), &profile, {}});
    EXPECT_FALSE(transfer.HasExtraConnection());
    EXPECT_EQ(transfer.CopyFile(Remote("a.txt"), Remote("b.txt")), CopyFailed);
    EXPECT_NE(transfer.GetLastError(), "") << "the login's refusal is kept";
    EXPECT_EQ(transfer.CopyFile(Remote("a.txt"), Remote("c.txt")), CopyFailed);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(Server().ReadFile(Local("b.txt")), "the user's b");
    EXPECT_FALSE(Server().Exists(Local("c.txt")));
}

TEST_P(FileTransferTest, CancelInTheSecondBlockOfADownloadKeepsTwoBlocks)
{
    Server().WriteFile(Local("big.bin"), RandomBytes(10 * 10240, 3));
    RecordingProgress progress;
    progress.cancelAtPump = 2;
    CFtpConnection& connection = Connection();
    {
        CFileTransfer transfer(&connection, nullptr);
        transfer.AttachDialog(&progress);
        EXPECT_EQ(transfer.CopyFile(Remote("big.bin"), "C:/big.bin"), Cancelled);
    }
    EXPECT_EQ(fs::file_size(m_local.Folder() / "big.bin"), 2U * 10240);
    // The connection is still good for the next batch.
    CFileTransfer again(&connection, nullptr);
    EXPECT_EQ(again.CopyFile(Remote("big.bin"), "C:/whole.bin"), Copied) << again.GetLastError();
    EXPECT_EQ(fs::file_size(m_local.Folder() / "whole.bin"), 10U * 10240);
}

// A real server whose data connection is cut part way, once each way (passive mode: the cut
// is of the connection to the server's data port): the file continues from the byte where it
// stopped, and arrives whole.
TEST_P(FileTransferTest, AFileContinuesWhenItsDataConnectionIsCut)
{
    if (!GetParam().passive || !CanKillConnections())
        GTEST_SKIP() << "needs passive mode, and root allowed to destroy sockets (ss -K)";
    // Larger than the socket buffers of both sides together, so that the server is still
    // sending when the download is cut.
    constexpr std::size_t kSize = 40 * 1024 * 1024;
    constexpr std::size_t kCutAt = kSize * 40 / 100;
    const std::string content = RandomBytes(kSize, 7);
    Server().WriteFile(Local("cut.bin"), content);
    CFtpConnection& connection = Connection();
    std::vector<char> block(1024 * 1024);

    std::string received;
    int killed = 0;
    {
        std::unique_ptr<CInternetFile> file(connection.OpenFile(Remote("cut.bin")));
        while (std::uint32_t got = file->Read(block.data(), static_cast<std::uint32_t>(block.size()))) {
            received.append(block.data(), got);
            if (killed == 0 && received.size() >= kCutAt)
                killed = KillConnectionsExcept(Server().Port());
        }
        file->Close();
    }
    EXPECT_EQ(killed, 1);
    EXPECT_TRUE(received == content) << received.size() << " bytes";

    killed = 0;
    {
        std::unique_ptr<CInternetFile> file(connection.OpenFile(Remote("cut-up.bin"), GENERIC_WRITE));
        for (std::size_t at = 0; at < content.size(); at += block.size()) {
            file->Write(content.data() + at, static_cast<std::uint32_t>(std::min(block.size(), content.size() - at)));
            if (killed == 0 && at >= kCutAt)
                killed = KillConnectionsExcept(Server().Port());
        }
        file->Close();
    }
    EXPECT_EQ(killed, 1);
    EXPECT_TRUE(Server().ReadFile(Local("cut-up.bin")) == content);

    int resumed = 0;
    for (const StatusNotification& notification : Session().Notifications()) {
        if (notification.status == INTERNET_STATUS_TRANSFER_RESUMED) {
            EXPECT_THAT(notification.info, testing::HasSubstr("(attempt 1 of 2)"));
            ++resumed;
        }
    }
    EXPECT_EQ(resumed, 2);
}

// One server to the other, each on its own connection.
TEST(FileTransferBetweenHostsTest, CopiesFromOneServerToTheOther)
{
    FtpTestServer& from = SharedServer(ServerKind::Vsftpd);
    FtpTestServer& to = SharedServer(ServerKind::Pyftpdlib);
    const std::string content = RandomBytes(200 * 1024 + 1, 4);
    from.MakeDir("between");
    to.MakeDir("between");
    from.WriteFile(std::string("between/") + kOddName, content);
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    ConnectionPtr source(session.GetFtpConnection("127.0.0.1", from.User(), from.Password(), from.Port(), true));
    ConnectionPtr destination(session.GetFtpConnection("127.0.0.1", to.User(), to.Password(), to.Port(), true));
    CFileTransfer transfer(source.get(), destination.get());
    EXPECT_EQ(transfer.GetMode(), RemoteToRemote);
    EXPECT_EQ(transfer.CopyFile(std::string("/between/") + kOddName, "/between/copy.bin"), Copied)
        << transfer.GetLastError();
    EXPECT_TRUE(to.ReadFile("between/copy.bin") == content);
}

class FileTransferFaultTest : public testing::Test {
protected:
    ConnectionPtr Connect(const std::string& scenario, const std::vector<std::string>& options = {})
    {
        m_rogue = std::make_unique<RogueServer>(scenario, options);
        m_session.SetTimeout(kTestTimeout);
        return ConnectionPtr(m_session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword,
                                                        m_rogue->Port(), true));
    }
    int Count(const std::string& verbAndArgument) const
    {
        const std::vector<std::string> lines = m_rogue->LogLines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(" " + verbAndArgument) != std::string::npos;
        }));
    }

    LocalDrive m_local;
    RecordingSession m_session;
    std::unique_ptr<RogueServer> m_rogue;
};

TEST_F(FileTransferFaultTest, DownloadsThatEndBadlyFail)
{
    for (const char* scenario : {"drop-mid-transfer", "426-after-data", "short-data", "retr-550"}) {
        ConnectionPtr connection = Connect(scenario);
        CFileTransfer transfer(connection.get(), nullptr);
        EXPECT_EQ(transfer.CopyFile("/file.bin", std::string("C:/") + scenario), CopyFailed) << scenario;
        EXPECT_NE(transfer.GetLastError(), "") << scenario;
    }
}

TEST_F(FileTransferFaultTest, UploadsThatEndBadlyFail)
{
    m_local.Write("up.bin", RandomBytes(100 * 1024, 5));
    for (const char* scenario : {"stor-refused", "stor-552-after-data", "stor-drop-mid", "stor-keeps-half"}) {
        ConnectionPtr connection = Connect(scenario);
        CFileTransfer transfer(nullptr, connection.get());
        EXPECT_EQ(transfer.CopyFile("C:/up.bin", "/up.bin"), CopyFailed) << scenario;
        EXPECT_NE(transfer.GetLastError(), "") << scenario;
    }
}

TEST_F(FileTransferFaultTest, AnUnreadableSourceSendsNothing)
{
    ConnectionPtr connection = Connect("normal");
    CFileTransfer transfer(nullptr, connection.get());
    EXPECT_EQ(transfer.CopyFile("C:/missing.bin", "/up.bin"), CopyFailed);
    EXPECT_EQ(m_rogue->CountCommands("STOR"), 0);
}

TEST_F(FileTransferFaultTest, AReplaceThatFailsMidFileKeepsTheOldFileOnEitherSide)
{
    ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
    // Download over a local file: the host drops the connection half way.
    m_local.Write("file.bin", "the user's old file");
    {
        ConnectionPtr connection = Connect("drop-mid-transfer");
        CFileTransfer transfer(connection.get(), nullptr);
        EXPECT_EQ(transfer.CopyFile("/file.bin", "C:/file.bin"), CopyFailed);
    }
    EXPECT_EQ(ReadAll(m_local.Folder() / "file.bin"), "the user's old file");
    EXPECT_EQ(HiddenFiles(m_local.Folder()), 0);

    // Upload over the host's file.bin: the host drops the connection half way. The old file is
    // neither deleted nor renamed over; the temporary file is removed.
    m_local.Write("up.bin", RandomBytes(100 * 1024, 6));
    ConnectionPtr connection = Connect("stor-drop-mid");
    CFileTransfer transfer(nullptr, connection.get());
    EXPECT_EQ(transfer.CopyFile("C:/up.bin", "/file.bin"), CopyFailed);
    EXPECT_EQ(Count("DELE /file.bin"), 0);
    EXPECT_EQ(m_rogue->CountCommands("RNFR"), 0);
    EXPECT_EQ(Count("STOR /.ferrix-"), 1);
    EXPECT_GE(Count("DELE /.ferrix-"), 1);
}

// With SIZE refused (the server's canned SIZE replies ignore what it stored), the binary
// upload's check reads the stored size from the listing.
TEST_F(FileTransferFaultTest, AsciiConvertsLineEndsAndBinaryDoesNot)
{
    m_local.Write("lines.txt", "one\ntwo\n");
    for (const std::int32_t type : {0, 1}) {
        ConnectionPtr connection = Connect("normal", {"--no-size"});
        const TransferSetup setup{{}, nullptr, [type] { return type; }};
        CFileTransfer download(connection.get(), nullptr, setup);
        const std::string local = "text" + std::to_string(type) + ".txt";
        ASSERT_EQ(download.CopyFile("/text.txt", "C:/" + local), Copied) << download.GetLastError();
        download.Finish();
        CFileTransfer upload(nullptr, connection.get(), setup);
        ASSERT_EQ(upload.CopyFile("C:/lines.txt", "/lines.txt"), Copied) << upload.GetLastError();
        if (type == 1) {
            EXPECT_EQ(ReadAll(m_local.Folder() / local), "line one\nline two\n");
            EXPECT_EQ(m_rogue->StoredBytes(), "one\r\ntwo\r\n");
        } else {
            EXPECT_EQ(ReadAll(m_local.Folder() / local), RogueServer::kTextOnWire);
            EXPECT_EQ(m_rogue->StoredBytes(), "one\ntwo\n");
        }
        EXPECT_GE(m_rogue->CountCommands(type == 1 ? "TYPE A" : "TYPE I"), 1) << type;
        // SIZE refused: the download's size and in binary the upload's size check come from
        // listings, as does the upload's look-up for an existing file.
        EXPECT_EQ(m_rogue->CountCommands("LIST"), type == 1 ? 2 : 3) << type;
    }
}

// The engine's copies over a connection that drops at 40% of the file: once, the copy goes on
// from there (through the hidden temporary name when it replaces a file) and the session log
// says so; three times, it fails and the old file stays on either side.
TEST_F(FileTransferFaultTest, ACopyContinuesAfterOneDropAndFailsAfterThree)
{
    ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
    const std::string content = RogueServer::FileContent();
    const std::string firstCut = std::to_string(RogueServer::kFileSize * 40 / 100);
    struct Case {
        bool upload;
        const char* cuts;
        CopyResult result;
    };
    // Every copy replaces a file: a whole one reads as Replaced.
    for (const Case& drop : {Case{false, "1", Replaced}, Case{false, "3", CopyFailed}, Case{true, "1", Replaced},
                             Case{true, "3", CopyFailed}}) {
        SCOPED_TRACE(std::string(drop.upload ? "upload" : "download") + ", cut " + drop.cuts + " times");
        m_rogue = std::make_unique<RogueServer>("cut-data", std::vector<std::string>{"--cuts", drop.cuts, "--rest-stream"});
        CFtpSession session(CFtpSession::kTransferContext);
        session.EnableStatusCallback(true);
        session.SetTimeout(kTestTimeout);
        ConnectionPtr connection(session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword,
                                                          m_rogue->Port(), true));
        SessionLog().clear();
        m_local.Write("file.bin", "the user's old file");
        m_local.Write("up.bin", content);
        CopyResult result = CopyFailed;
        std::string error;
        {
            CFileTransfer transfer(drop.upload ? nullptr : connection.get(), drop.upload ? connection.get() : nullptr);
            result = drop.upload ? transfer.CopyFile("C:/up.bin", "/file.bin") : transfer.CopyFile("/file.bin", "C:/file.bin");
            error = transfer.GetLastError();
            transfer.Finish();
        }
        EXPECT_EQ(result, drop.result) << error << "\n" << SessionLog();
        EXPECT_THAT(SessionLog(), testing::HasSubstr("resuming from byte " + firstCut + " (attempt 1 of 2)"));
        EXPECT_EQ(HiddenFiles(m_local.Folder()), 0);
        if (!drop.upload) {
            EXPECT_TRUE(ReadAll(m_local.Folder() / "file.bin") == (result == Replaced ? content : "the user's old file"));
            continue;
        }
        // The upload went to the temporary name, and continued there.
        EXPECT_EQ(Count("REST " + firstCut), 1);
        EXPECT_EQ(Count("STOR /.ferrix-"), drop.result == Replaced ? 2 : 3);
        EXPECT_EQ(Count("RNTO /file.bin"), drop.result == Replaced ? 1 : 0);
        if (drop.result == Replaced)
            EXPECT_TRUE(m_rogue->StoredBytes() == content);
        else
            EXPECT_GE(Count("DELE /.ferrix-"), 1);
    }
}

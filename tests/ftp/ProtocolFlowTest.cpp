// How the engine talks to a server: what it sends (counted in the scripted server's log),
// whose context its notifications carry, and that an abandoned transfer frees the connection.

#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

constexpr std::uint32_t kBlock = 10240;
constexpr DWORD_PTR kSessionContext = 10;
constexpr DWORD_PTR kFinderContext = 7;
constexpr DWORD_PTR kFileContext = 9;

std::string ReadAll(CFtpConnection& connection, const std::string& path, std::uint32_t type = FTP_TRANSFER_TYPE_BINARY)
{
    std::unique_ptr<CInternetFile> file(connection.OpenFile(path, GENERIC_READ, type));
    std::string content;
    char block[kBlock];
    while (std::uint32_t got = file->Read(block, kBlock))
        content.append(block, got);
    file->Close();
    return content;
}

bool Contains(const std::vector<std::uint32_t>& codes, std::uint32_t code)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

class RogueFlowTest : public testing::Test {
protected:
    RogueFlowTest() : m_session(kSessionContext), m_rogue("normal")
    {
        m_session.SetTimeout(kTestTimeout);
        m_connection.reset(m_session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword,
                                                      m_rogue.Port(), true));
    }

    RecordingSession m_session;
    RogueServer m_rogue;
    ConnectionPtr m_connection;
};

TEST_F(RogueFlowTest, ChangingToTheCurrentDirectoryCostsNoRoundTrip)
{
    ASSERT_TRUE(m_connection->SetCurrentDirectory("/pub"));
    ASSERT_TRUE(m_connection->SetCurrentDirectory("/pub/"));
    ASSERT_TRUE(m_connection->SetCurrentDirectory("/pub"));
    EXPECT_EQ(m_rogue.CountCommands("CWD"), 1);
}

TEST_F(RogueFlowTest, SendsTypeOnlyWhenItChanges)
{
    ReadAll(*m_connection, "/file.bin");
    ReadAll(*m_connection, "/file.bin");
    EXPECT_EQ(m_rogue.CountCommands("TYPE"), 1);
    ReadAll(*m_connection, "/notes.txt", FTP_TRANSFER_TYPE_ASCII);
    EXPECT_EQ(m_rogue.CountCommands("TYPE"), 2);
}

TEST_F(RogueFlowTest, TheSameSizeAskedAgainAtOnceCostsNoRoundTrip)
{
    // A caller's own size before it opens the file, then the opening's: one SIZE.
    const std::optional<std::uint64_t> size = m_connection->GetFileSize("/file.bin");
    ASSERT_TRUE(size);
    EXPECT_EQ(ReadAll(*m_connection, "/file.bin").size(), *size);
    EXPECT_EQ(m_rogue.CountCommands("SIZE"), 1);
    // Anything sent in between, another file, or a pause in which another client may have
    // changed the file, asks again.
    EXPECT_EQ(m_connection->GetFileSize("/file.bin"), size);
    EXPECT_EQ(m_rogue.CountCommands("SIZE"), 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(m_connection->GetFileSize("/file.bin"), size);
    EXPECT_EQ(m_rogue.CountCommands("SIZE"), 3);
    ASSERT_TRUE(m_connection->SetCurrentDirectory("/pub"));
    EXPECT_EQ(m_connection->GetFileSize("/file.bin"), size);
    m_connection->GetFileSize("/notes.txt");
    m_connection->GetFileSize("/file.bin");
    EXPECT_EQ(m_rogue.CountCommands("SIZE"), 6);
}

TEST_F(RogueFlowTest, NeverSendsThePasswordAgainAfterLogin)
{
    ReadAll(*m_connection, "/file.bin");
    EXPECT_EQ(m_rogue.CountCommands("PASS"), 1);
}

TEST_F(RogueFlowTest, FinderReportsWithItsOwnContext)
{
    m_session.ClearNotifications();
    CFtpFileFind finder(m_connection.get(), kFinderContext);
    ASSERT_TRUE(finder.FindFile("*"));
    finder.Close();
    const auto& all = m_session.Notifications();
    ASSERT_FALSE(all.empty());
    for (const StatusNotification& notification : all)
        EXPECT_EQ(notification.context, kFinderContext) << notification.status;
    const std::vector<std::uint32_t> codes = m_session.StatusCodes();
    EXPECT_TRUE(Contains(codes, INTERNET_STATUS_SENDING_REQUEST));
    EXPECT_TRUE(Contains(codes, INTERNET_STATUS_RESPONSE_RECEIVED));
    EXPECT_TRUE(Contains(codes, INTERNET_STATUS_HANDLE_CREATED));
    EXPECT_EQ(codes.back(), INTERNET_STATUS_HANDLE_CLOSING);
}

TEST_F(RogueFlowTest, FileReportsWithItsOwnContextAndConnectionWithTheSessions)
{
    m_session.ClearNotifications();
    {
        std::unique_ptr<CInternetFile> file(m_connection->OpenFile("/file.bin", GENERIC_READ, FTP_TRANSFER_TYPE_BINARY, kFileContext));
        char block[kBlock];
        while (file->Read(block, kBlock) > 0) {
        }
        file->Close();
    }
    for (const StatusNotification& notification : m_session.Notifications())
        EXPECT_EQ(notification.context, kFileContext) << notification.status;
    m_session.ClearNotifications();
    ASSERT_TRUE(m_connection->SetCurrentDirectory("/pub"));
    ASSERT_FALSE(m_session.Notifications().empty());
    for (const StatusNotification& notification : m_session.Notifications())
        EXPECT_EQ(notification.context, kSessionContext) << notification.status;
}

TEST_F(RogueFlowTest, CloseReportsClosingThenClosedConnection)
{
    m_session.ClearNotifications();
    m_connection->Close();
    const std::vector<std::uint32_t> codes = m_session.StatusCodes();
    auto closing = std::find(codes.begin(), codes.end(), INTERNET_STATUS_CLOSING_CONNECTION);
    auto closed = std::find(codes.begin(), codes.end(), INTERNET_STATUS_CONNECTION_CLOSED);
    ASSERT_NE(closing, codes.end());
    ASSERT_NE(closed, codes.end());
    EXPECT_LT(closing, closed);
    EXPECT_EQ(codes.back(), INTERNET_STATUS_HANDLE_CLOSING);
    EXPECT_FALSE(m_connection->SetCurrentDirectory("/pub"));
    EXPECT_EQ(m_rogue.CountCommands("QUIT"), 1);
}

TEST_F(RogueFlowTest, ConnectNotificationsNameTheAddressAndPort)
{
    RecordingSession session;
    ConnectionPtr connection(session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword,
                                                      m_rogue.Port(), true));
    const std::string address = "127.0.0.1:" + std::to_string(m_rogue.Port());
    bool connecting = false;
    bool connected = false;
    for (const StatusNotification& notification : session.Notifications()) {
        if (notification.status == INTERNET_STATUS_CONNECTING_TO_SERVER)
            connecting = notification.info == address;
        if (notification.status == INTERNET_STATUS_CONNECTED_TO_SERVER)
            connected = notification.info == address;
    }
    EXPECT_TRUE(connecting);
    EXPECT_TRUE(connected);
}

// A file dropped without Close, mid-way through a download of a file much larger than the
// socket buffers, must leave the connection usable for the next request.
class AbandonedTransferTest : public ServerTest {};

TEST_P(AbandonedTransferTest, DestroyingUnfinishedDownloadFreesTheConnection)
{
    const std::string big(32 * 1024 * 1024, 'x');
    Server().WriteFile(Local("big.bin"), big);
    Server().WriteFile(Local("small.txt"), "small");
    {
        std::unique_ptr<CInternetFile> file(Connection().OpenFile(Remote("big.bin")));
        char block[kBlock];
        ASSERT_GT(file->Read(block, kBlock), 0u);
    }
    EXPECT_EQ(ReadAll(Connection(), Remote("small.txt")), "small");
    CFtpFileFind finder(&Connection());
    EXPECT_TRUE(finder.FindFile(Remote("*")));
}

TEST_P(AbandonedTransferTest, ClosingUnfinishedDownloadFreesTheConnection)
{
    const std::string big(32 * 1024 * 1024, 'y');
    Server().WriteFile(Local("big.bin"), big);
    std::unique_ptr<CInternetFile> file(Connection().OpenFile(Remote("big.bin")));
    char block[kBlock];
    ASSERT_GT(file->Read(block, kBlock), 0u);
    file->Close();
    EXPECT_TRUE(Connection().SetCurrentDirectory(Dir()));
    std::string directory;
    EXPECT_TRUE(Connection().GetCurrentDirectory(directory));
    EXPECT_EQ(directory, Dir());
}

TEST_P(AbandonedTransferTest, ListsOtherDirectoryAndKeepsTheCurrentOne)
{
    Server().MakeDir(Local("here"));
    Server().MakeDir(Local("there"));
    Server().WriteFile(Local("here/mine.txt"), "1");
    Server().WriteFile(Local("there/other.txt"), "2");
    ASSERT_TRUE(Connection().SetCurrentDirectory(Remote("here")));
    CFtpFileFind finder(&Connection());
    ASSERT_TRUE(finder.FindFile(Remote("there/*")));
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "other.txt");
    finder.Close();
    ASSERT_TRUE(finder.FindFile("*"));
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "mine.txt");
    finder.Close();
    EXPECT_EQ(ReadAll(Connection(), "mine.txt"), "1");
}

INSTANTIATE_TEST_SUITE_P(Servers, AbandonedTransferTest, testing::ValuesIn(AllServerModes()), ServerModeName);

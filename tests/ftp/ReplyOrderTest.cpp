// Requests that may have had an effect are never sent twice over a re-opened connection, and
// downloads finish correctly whatever order the final reply and the data arrive in.

#include "ftp/support/ChildProcess.h"
#include "ftp/support/RecordingSession.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr std::uint32_t kBlock = 10240;
constexpr std::size_t kFileSize = 200 * 1024;

// scripts/flow_ftpd.py with one set of options.
class FlowServer {
public:
    explicit FlowServer(const std::vector<std::string>& options)
    {
        std::vector<std::string> argv{"/usr/bin/python3", std::string(FERRIX_TEST_SCRIPTS) + "/flow_ftpd.py", "--log",
                                      (m_work.Path() / "commands.log").string()};
        argv.insert(argv.end(), options.begin(), options.end());
        m_process = std::make_unique<ChildProcess>(argv, m_work.Path() / "stderr.txt", true);
        auto line = m_process->ReadLine(kStartTimeout);
        if (!line || line->rfind("LISTENING ", 0) != 0)
            throw std::runtime_error("flow_ftpd.py did not start: " + m_process->StderrText());
        m_port = static_cast<std::uint16_t>(std::stoi(line->substr(10)));
    }
    std::uint16_t Port() const { return m_port; }
    // How many lines of the log start with `verb`, and how many sessions logged in.
    int Count(const std::string& verb) const
    {
        std::ifstream in(m_work.Path() / "commands.log");
        int count = 0;
        for (std::string line; std::getline(in, line);) {
            auto space = line.find(' ');
            if (space != std::string::npos && line.compare(space + 1, verb.size(), verb) == 0)
                ++count;
        }
        return count;
    }

private:
    TempDir m_work;
    std::uint16_t m_port = 0;
    std::unique_ptr<ChildProcess> m_process;
};

std::string Expected()
{
    std::string data(kFileSize, '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>((i * 7) % 256);
    return data;
}

class ReplyOrderTest : public testing::Test {
protected:
    ConnectionPtr Connect(FlowServer& server)
    {
        m_session.SetTimeout(kTestTimeout);
        return ConnectionPtr(m_session.GetFtpConnection("127.0.0.1", "flow", "flow-pass", server.Port(), true));
    }
    std::string Download(CFtpConnection& connection)
    {
        std::unique_ptr<CInternetFile> file(connection.OpenFile("/file.bin"));
        std::string content;
        char block[kBlock];
        while (std::uint32_t got = file->Read(block, kBlock))
            content.append(block, got);
        file->Close();
        return content;
    }

    RecordingSession m_session;
};

}  // namespace

TEST_F(ReplyOrderTest, DeleteDroppedAfterSendingIsNotRepeated)
{
    FlowServer server({"--drop-on", "DELE"});
    auto connection = Connect(server);
    EXPECT_FALSE(connection->Remove("/gone.txt"));
    EXPECT_EQ(server.Count("DELE"), 1);
    // The next request finds the connection gone before sending, and opens a new one.
    EXPECT_TRUE(connection->SetCurrentDirectory("/pub"));
    EXPECT_EQ(server.Count("USER"), 2);
    EXPECT_EQ(server.Count("DELE"), 1);
}

TEST_F(ReplyOrderTest, UploadDroppedBeforeItsReplyIsFailureAndNotRepeated)
{
    FlowServer server({"--drop-on", "STOR"});
    auto connection = Connect(server);
    EXPECT_THROW(
        {
            std::unique_ptr<CInternetFile> file(connection->OpenFile("/up.bin", GENERIC_WRITE));
            const std::string data(50000, 'u');
            file->Write(data.data(), static_cast<std::uint32_t>(data.size()));
            file->Close();
        },
        CInternetException);
    EXPECT_EQ(server.Count("STOR"), 1);
}

TEST_F(ReplyOrderTest, RenameDroppedAtRntoIsNotRepeated)
{
    FlowServer server({"--drop-on", "RNTO"});
    auto connection = Connect(server);
    EXPECT_FALSE(connection->Rename("/a.txt", "/b.txt"));
    EXPECT_EQ(server.Count("RNTO"), 1);
    EXPECT_EQ(server.Count("RNFR"), 1);
}

TEST_F(ReplyOrderTest, DownloadsWithPreliminaryAndFinalReplyInOnePacket)
{
    FlowServer server({"--retr-style", "together"});
    auto connection = Connect(server);
    EXPECT_TRUE(Download(*connection) == Expected());
    EXPECT_TRUE(connection->SetCurrentDirectory("/pub"));
}

TEST_F(ReplyOrderTest, DownloadsWithoutPreliminaryReply)
{
    FlowServer server({"--retr-style", "no-preliminary"});
    auto connection = Connect(server);
    EXPECT_TRUE(Download(*connection) == Expected());
    EXPECT_TRUE(connection->SetCurrentDirectory("/pub"));
}

TEST_F(ReplyOrderTest, DownloadsWhenFinalReplyComesBeforeTheData)
{
    FlowServer server({"--retr-style", "final-first"});
    auto connection = Connect(server);
    EXPECT_TRUE(Download(*connection) == Expected());
    EXPECT_TRUE(connection->SetCurrentDirectory("/pub"));
    EXPECT_EQ(server.Count("USER"), 1);
}

TEST_F(ReplyOrderTest, FallsBackToPasvAndRemembersIt)
{
    FlowServer server({});
    auto connection = Connect(server);
    Download(*connection);
    Download(*connection);
    EXPECT_EQ(server.Count("EPSV"), 1);
    EXPECT_EQ(server.Count("PASV"), 2);
}

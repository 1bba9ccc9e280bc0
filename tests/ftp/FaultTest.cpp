// Servers that misbehave: every fault ends in a CInternetException within the time-out, never
// in a hang or a transfer reported as done.

#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <gmock/gmock.h>

#include <chrono>
#include <memory>

using testing::AnyOf;
using testing::Eq;

namespace {

constexpr auto kShortTimeout = std::chrono::milliseconds(1500);
// A fault must show well before this: the time-out plus the time to tidy up.
constexpr auto kNoHangLimit = std::chrono::seconds(6);

using Clock = std::chrono::steady_clock;

} // namespace

class FaultTest : public testing::Test {
protected:
    void StartServer(const std::string& scenario)
    {
        m_rogue = std::make_unique<RogueServer>(scenario);
        m_session.SetTimeout(kShortTimeout);
    }
    ConnectionPtr Connect()
    {
        return ConnectionPtr(m_session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword,
                                                        m_rogue->Port(), true));
    }
    // Downloads the rogue server's file to its end, closing it; returns what arrived.
    std::string Download(CFtpConnection& connection, const std::string& path = "/file.bin")
    {
        std::unique_ptr<CInternetFile> file(connection.OpenFile(path));
        std::string content;
        char block[10240];
        while (std::uint32_t got = file->Read(block, sizeof block))
            content.append(block, got);
        file->Close();
        return content;
    }
    // The code of the exception `action` throws; fails the test when it throws none or takes
    // longer than a fault may.
    template <typename F>
    std::uint32_t FaultCode(F&& action)
    {
        auto start = Clock::now();
        std::uint32_t code = 0;
        try {
            action();
            ADD_FAILURE() << "the fault was not reported";
        } catch (const CInternetException& error) {
            code = error.m_dwError;
        }
        EXPECT_LT(Clock::now() - start, kNoHangLimit);
        return code;
    }

    RecordingSession m_session;
    std::unique_ptr<RogueServer> m_rogue;
};

TEST_F(FaultTest, ReportsConnectionDroppedMidTransfer)
{
    StartServer("drop-mid-transfer");
    auto connection = Connect();
    std::uint32_t code = FaultCode([&] { Download(*connection); });
    EXPECT_THAT(code, AnyOf(Eq(ERROR_INTERNET_CONNECTION_ABORTED), Eq(ERROR_INTERNET_CONNECTION_RESET),
                            Eq(ERROR_FTP_DROPPED)));
}

TEST_F(FaultTest, Reports426AfterTheDataAsFailure)
{
    StartServer("426-after-data");
    auto connection = Connect();
    std::uint32_t code = FaultCode([&] { Download(*connection); });
    EXPECT_EQ(code, ERROR_INTERNET_EXTENDED_ERROR);
}

TEST_F(FaultTest, TimesOutWhenGreetingNeverComes)
{
    StartServer("stall-greeting");
    EXPECT_EQ(FaultCode([&] { Connect(); }), ERROR_INTERNET_TIMEOUT);
}

TEST_F(FaultTest, TimesOutWhenReplyNeverComes)
{
    StartServer("stall-reply");
    auto connection = Connect();
    auto start = Clock::now();
    EXPECT_FALSE(connection->SetCurrentDirectory("/pub"));
    EXPECT_LT(Clock::now() - start, kNoHangLimit);
    EXPECT_EQ(connection->GetLastErrorCode(), ERROR_INTERNET_TIMEOUT);
}

TEST_F(FaultTest, TimesOutWhenDataNeverComes)
{
    StartServer("stall-data");
    auto connection = Connect();
    EXPECT_EQ(FaultCode([&] { Download(*connection); }), ERROR_INTERNET_TIMEOUT);
}

// The address in a 227 reply is not trusted: the data connection goes to the control
// connection's peer, and the transfer works.
TEST_F(FaultTest, IgnoresForeignAddressInPassiveReply)
{
    StartServer("pasv-foreign");
    auto connection = Connect();
    auto start = Clock::now();
    EXPECT_TRUE(Download(*connection) == RogueServer::FileContent());
    EXPECT_LT(Clock::now() - start, kNoHangLimit);
}

TEST_F(FaultTest, DropsHostileNamesFromListing)
{
    StartServer("hostile-listing");
    auto connection = Connect();
    std::vector<std::string> names;
    CFtpFileFind finder(connection.get());
    if (finder.FindFile("*")) {
        for (bool more = true; more;) {
            more = finder.FindNextFile();
            names.push_back(finder.GetFileName());
        }
    }
    finder.Close();
    EXPECT_THAT(names, testing::UnorderedElementsAre("good.txt", "also-good.txt"));
}

TEST_F(FaultTest, RefusesReplyWithoutThreeDigitCode)
{
    StartServer("bad-reply-code");
    EXPECT_NE(FaultCode([&] { Connect(); }), 0u);
}

TEST_F(FaultTest, RefusesReplyWithNulByte)
{
    StartServer("nul-in-reply");
    EXPECT_NE(FaultCode([&] { Connect(); }), 0u);
    EXPECT_EQ(m_rogue->CountCommands("PASS"), 0);
}

// A server that closed an idle session (with 421 or without a word) is logged in to again,
// and the request that found it closed is carried out.
TEST_F(FaultTest, ReconnectsAfter421BetweenRequests)
{
    StartServer("idle-drop-421");
    auto connection = Connect();
    ASSERT_TRUE(connection->SetCurrentDirectory("/pub"));
    std::string directory;
    EXPECT_TRUE(connection->GetCurrentDirectory(directory));
    EXPECT_EQ(m_rogue->CountCommands("CONNECT"), 2);
    EXPECT_TRUE(Download(*connection) == RogueServer::FileContent());
}

TEST_F(FaultTest, ReconnectsAfterSilentCloseBetweenRequests)
{
    StartServer("idle-drop-close");
    auto connection = Connect();
    ASSERT_TRUE(connection->SetCurrentDirectory("/pub"));
    std::string directory;
    EXPECT_TRUE(connection->GetCurrentDirectory(directory));
    EXPECT_EQ(m_rogue->CountCommands("CONNECT"), 2);
}

// A 5xx to RETR without a 150 before it is the server's final word, not a network fault to
// retry.
TEST_F(FaultTest, ReportsRefusedRetrieveOnceWithServerText)
{
    StartServer("retr-550");
    auto connection = Connect();
    try {
        std::unique_ptr<CInternetFile> file(connection->OpenFile("/file.bin"));
        char block[64];
        while (file->Read(block, sizeof block) > 0) {
        }
        file->Close();
        FAIL() << "a refused download was reported as done";
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.m_dwError, ERROR_INTERNET_EXTENDED_ERROR);
        EXPECT_NE(error.GetText().find("550"), std::string::npos) << error.GetText();
    }
    EXPECT_EQ(m_rogue->CountCommands("RETR"), 1);
}

// The server announced the size with SIZE; a data connection that ends short of it is no
// complete file, whatever the final reply says.
TEST_F(FaultTest, ReportsDownloadShorterThanAnnouncedSize)
{
    StartServer("short-data");
    auto connection = Connect();
    EXPECT_NE(FaultCode([&] { Download(*connection); }), 0u);
}

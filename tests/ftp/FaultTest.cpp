// Servers that misbehave: every fault ends in a CInternetException within the time-out, never
// in a hang or a transfer reported as done.

#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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

// Connections that drop in the middle of a binary file: the file continues over a new
// connection from the byte the server has, at most twice; otherwise it fails as any cut file.
namespace {

struct DropCase {
    const char* name;
    const char* scenario;
    std::vector<std::string> options;
    bool upload;
    const char* path;
    bool ascii;
    // What the server is asked for, counted over every session ("REST 104857", "APPE").
    std::vector<std::pair<std::string, int>> commands;
    bool copied;
    // The session log's notices, in order.
    std::vector<std::string> notices;
};

// 40% of the server's 256 KiB file, then 20% further on for each later cut.
const std::string kFirstCut = std::to_string(RogueServer::kFileSize * 40 / 100);
const std::string kSecondCut = std::to_string(RogueServer::kFileSize * 60 / 100);

std::string Resumed(const std::string& where, const std::string& offset, int attempt)
{
    return "Connection lost " + where + "; resuming from byte " + offset + " (attempt " + std::to_string(attempt)
           + " of 2)";
}

std::string UploadResumed(const std::string& sent, const std::string& offset, int attempt)
{
    return Resumed("after " + sent + " bytes sent of /up.bin, of which the server kept " + offset, offset, attempt);
}

const std::string kWholeFile = std::to_string(RogueServer::kFileSize);

const DropCase kDropCases[] = {
    {"download cut once", "cut-data", {}, false, "/file.bin", false,
     {{"REST " + kFirstCut, 1}, {"RETR", 2}, {"CONNECT", 2}}, true,
     {Resumed("at 40% of /file.bin", kFirstCut, 1)}},
    {"download cut three times", "cut-data", {"--cuts", "3"}, false, "/file.bin", false,
     {{"REST " + kFirstCut, 1}, {"REST " + kSecondCut, 1}, {"RETR", 3}, {"CONNECT", 3}}, false,
     {Resumed("at 40% of /file.bin", kFirstCut, 1), Resumed("at 60% of /file.bin", kSecondCut, 2)}},
    {"download whose server refuses REST", "cut-data", {"--refuse-rest"}, false, "/file.bin", false,
     {{"REST", 1}, {"RETR", 1}}, false, {}},
    // The file would arrive with its first 40% twice: the sizes do not add up, so it fails.
    {"download whose server accepts REST but starts again at 0", "cut-data", {"--ignore-rest"}, false, "/file.bin",
     false, {{"REST " + kFirstCut, 1}, {"RETR", 2}}, false, {Resumed("at 40% of /file.bin", kFirstCut, 1)}},
    {"ASCII download", "cut-data", {}, false, "/text.txt", true, {{"REST", 0}, {"RETR", 1}, {"CONNECT", 1}}, false, {}},
    {"download of a server without SIZE", "cut-data", {"--no-size"}, false, "/file.bin", false,
     {{"REST " + kFirstCut, 1}, {"LIST", 1}, {"RETR", 2}}, true,
     {Resumed("at 40% of /file.bin", kFirstCut, 1)}},
    {"download whose control connection drops", "cut-control", {}, false, "/file.bin", false,
     {{"REST " + kFirstCut, 1}, {"RETR", 2}, {"CONNECT", 2}}, true,
     {Resumed("at 40% of /file.bin", kFirstCut, 1)}},
    {"upload cut once, server without REST STREAM", "cut-data", {}, true, "/up.bin", false,
     {{"REST", 0}, {"STOR", 1}, {"APPE /up.bin", 1}, {"SIZE /up.bin", 2}}, true,
     {UploadResumed(kWholeFile, kFirstCut, 1)}},
    {"upload cut once, server with REST STREAM", "cut-data", {"--rest-stream"}, true, "/up.bin", false,
     {{"REST " + kFirstCut, 1}, {"STOR /up.bin", 2}, {"APPE", 0}}, true,
     {UploadResumed(kWholeFile, kFirstCut, 1)}},
    {"upload cut three times", "cut-data", {"--cuts", "3", "--rest-stream"}, true, "/up.bin", false,
     {{"REST " + kFirstCut, 1}, {"REST " + kSecondCut, 1}, {"STOR", 3}}, false,
     {UploadResumed(kWholeFile, kFirstCut, 1), UploadResumed(kWholeFile, kSecondCut, 2)}},
    {"upload whose control connection drops, size from the listing", "cut-control", {"--no-size"}, true, "/up.bin",
     false, {{"APPE /up.bin", 1}, {"LIST", 2}}, true, {UploadResumed(kWholeFile, kFirstCut, 1)}},
};

std::vector<std::string> ResumeNotices(const RecordingSession& session)
{
    std::vector<std::string> notices;
    for (const StatusNotification& notification : session.Notifications()) {
        if (notification.status == INTERNET_STATUS_TRANSFER_RESUMED)
            notices.push_back(notification.info);
    }
    return notices;
}

} // namespace

TEST_F(FaultTest, BinaryTransfersContinueAfterADroppedConnectionAtMostTwice)
{
    for (const DropCase& drop : kDropCases) {
        SCOPED_TRACE(drop.name);
        m_rogue = std::make_unique<RogueServer>(drop.scenario, drop.options);
        m_session.SetTimeout(kShortTimeout);
        m_session.ClearNotifications();
        auto connection = Connect();
        const std::uint32_t type = drop.ascii ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
        const auto start = Clock::now();
        std::string received;
        std::uint32_t code = 0;
        try {
            if (drop.upload) {
                std::unique_ptr<CInternetFile> file(connection->OpenFile(drop.path, GENERIC_WRITE, type));
                const std::string content = RogueServer::FileContent();
                for (std::size_t at = 0; at < content.size(); at += 10240) {
                    const std::size_t count = std::min<std::size_t>(10240, content.size() - at);
                    file->Write(content.data() + at, static_cast<std::uint32_t>(count));
                }
                file->Close();
            } else {
                std::unique_ptr<CInternetFile> file(connection->OpenFile(drop.path, GENERIC_READ, type));
                char block[10240];
                while (std::uint32_t got = file->Read(block, sizeof block))
                    received.append(block, got);
                file->Close();
            }
        } catch (const CInternetException& error) {
            code = error.m_dwError;
        }
        EXPECT_LT(Clock::now() - start, 3 * kNoHangLimit);
        EXPECT_EQ(code == 0, drop.copied) << "error " << code;
        if (drop.copied) {
            const std::string& arrived = drop.upload ? m_rogue->StoredBytes() : received;
            EXPECT_TRUE(arrived == RogueServer::FileContent()) << arrived.size() << " bytes";
        }
        for (const auto& [command, count] : drop.commands)
            EXPECT_EQ(m_rogue->CountCommands(command), count) << command;
        EXPECT_EQ(ResumeNotices(m_session), drop.notices);
    }
}

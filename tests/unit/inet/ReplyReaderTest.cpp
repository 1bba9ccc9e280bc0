#include "platform/inet/ReplyReader.h"

#include "platform/inet/InternetException.h"
#include "platform/inet/SocketHandle.h"
#include "platform/inet/TcpStream.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

constexpr std::chrono::milliseconds kWait{2000};
constexpr std::chrono::milliseconds kShortWait{100};

// The reader on one end of a socket pair; the test plays the server on the other.
class ReplyReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        m_stream = std::make_unique<TcpStream>(SocketHandle(fds[0]), SocketRole::Data);
        m_server = SocketHandle(fds[1]);
        m_reader = std::make_unique<ReplyReader>(*m_stream);
    }
    void ServerSends(const std::string& bytes)
    {
        ASSERT_EQ(::send(m_server.Get(), bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
    }
    std::uint32_t ErrorOfNextRead(std::chrono::milliseconds wait = kWait)
    {
        try {
            m_reader->Read(wait);
        } catch (const CInternetException& error) {
            return error.m_dwError;
        }
        return 0;
    }

    std::unique_ptr<TcpStream> m_stream;
    SocketHandle m_server;
    std::unique_ptr<ReplyReader> m_reader;
};

}  // namespace

TEST_F(ReplyReaderTest, ReadsSingleLineReply)
{
    ServerSends("220 Welcome\r\n");
    auto reply = m_reader->Read(kWait);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->code, 220);
    EXPECT_EQ(reply->Text(), "220 Welcome");
    EXPECT_EQ(reply->FirstLineText(), "Welcome");
}

TEST_F(ReplyReaderTest, ReadsMultiLineReplyWithCodesInsideIt)
{
    ServerSends("211-Features:\r\n EPSV\r\n211 in the middle\r\n211-still going\r\n UTF8\r\n211 End\r\n");
    auto reply = m_reader->Read(kWait);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->code, 211);
    ASSERT_EQ(reply->lines.size(), 3u);
    EXPECT_EQ(reply->lines.back(), "211 in the middle");
    auto next = m_reader->Read(kWait);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->lines.size(), 3u);
    EXPECT_EQ(next->lines.back(), "211 End");
}

TEST_F(ReplyReaderTest, OtherCodesDoNotEndAMultiLineReply)
{
    ServerSends("230-Hello\n230-more\n150 not the end\n230 done\n");
    auto reply = m_reader->Read(kWait);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->lines.size(), 4u);
    EXPECT_EQ(reply->code, 230);
}

TEST_F(ReplyReaderTest, AcceptsBareLineFeedsAndReplyInPieces)
{
    ServerSends("150 Opening");
    ServerSends(" data\n226 Do");
    auto first = m_reader->Read(kWait);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Text(), "150 Opening data");
    EXPECT_TRUE(m_reader->HasBufferedData());
    ServerSends("ne\r\n");
    auto second = m_reader->Read(kWait);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Text(), "226 Done");
    EXPECT_FALSE(m_reader->HasBufferedData());
}

TEST_F(ReplyReaderTest, AcceptsCodeAloneOnLine)
{
    ServerSends("200\r\n");
    auto reply = m_reader->Read(kWait);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->code, 200);
}

TEST_F(ReplyReaderTest, UndoublesTelnetIac)
{
    ServerSends("257 \"/caf\xff\xff\" created\r\n");
    auto reply = m_reader->Read(kWait);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Text(), "257 \"/caf\xff\" created");
}

TEST_F(ReplyReaderTest, RefusesFirstLineWithoutCode)
{
    ServerSends("hello there\r\n");
    EXPECT_EQ(ErrorOfNextRead(), ERROR_INTERNET_EXTENDED_ERROR);
}

TEST_F(ReplyReaderTest, RefusesCodeFollowedByOtherCharacter)
{
    ServerSends("2200 odd\r\n");
    EXPECT_EQ(ErrorOfNextRead(), ERROR_INTERNET_EXTENDED_ERROR);
}

TEST_F(ReplyReaderTest, RefusesNulInReply)
{
    ServerSends(std::string("220 a\0b\r\n", 9));
    EXPECT_EQ(ErrorOfNextRead(), ERROR_INTERNET_EXTENDED_ERROR);
}

TEST_F(ReplyReaderTest, RefusesLineLongerThanTheCap)
{
    std::string line = "220 " + std::string(ReplyReader::kMaxLineBytes + 10, 'x');
    // Sent in the background of the socket buffer: the reader must give up before the end.
    int size = 1 << 20;
    ::setsockopt(m_server.Get(), SOL_SOCKET, SO_SNDBUF, &size, sizeof(size));
    ServerSends(line);
    EXPECT_EQ(ErrorOfNextRead(), ERROR_INTERNET_EXTENDED_ERROR);
}

TEST_F(ReplyReaderTest, RefusesEndlessMultiLineReply)
{
    int size = 4 << 20;
    ::setsockopt(m_server.Get(), SOL_SOCKET, SO_SNDBUF, &size, sizeof(size));
    ServerSends("211-start\r\n");
    std::string lines;
    while (lines.size() <= 2 * ReplyReader::kMaxReplyBytes)
        lines += " filler filler filler filler filler filler filler\r\n";
    ServerSends(lines);
    EXPECT_EQ(ErrorOfNextRead(), ERROR_INTERNET_EXTENDED_ERROR);
}

// Empty lines cost memory too: a multi-line reply of nothing but line ends is stopped after
// far fewer bytes than the cap, since each line counts with what holding it costs.
TEST_F(ReplyReaderTest, RefusesEndlessReplyOfEmptyLines)
{
    int size = 4 << 20;
    ::setsockopt(m_server.Get(), SOL_SOCKET, SO_SNDBUF, &size, sizeof(size));
    const std::size_t lines = ReplyReader::kMaxReplyBytes / ReplyReader::kLineOverheadBytes + 1;
    std::string reply = "331-Password required\r\n";
    for (std::size_t i = 0; i < lines; ++i)
        reply += "\r\n";
    ServerSends(reply);
    EXPECT_EQ(ErrorOfNextRead(), ERROR_INTERNET_EXTENDED_ERROR);
}

TEST_F(ReplyReaderTest, CleanEndOfStreamBeforeReplyGivesNothing)
{
    m_server.Reset();
    EXPECT_FALSE(m_reader->Read(kWait).has_value());
}

TEST_F(ReplyReaderTest, EndOfStreamInsideReplyIsDrop)
{
    ServerSends("211-start\r\n more\r\n");
    m_server.Reset();
    EXPECT_EQ(ErrorOfNextRead(), ERROR_FTP_DROPPED);
}

TEST_F(ReplyReaderTest, SilentServerTimesOut)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ErrorOfNextRead(kShortWait), ERROR_INTERNET_TIMEOUT);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(ReplyReaderTest, ReplyTrickledPastTheDeadlineTimesOut)
{
    ServerSends("220-first line\r\n");
    EXPECT_EQ(ErrorOfNextRead(kShortWait), ERROR_INTERNET_TIMEOUT);
}

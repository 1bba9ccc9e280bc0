#include "platform/inet/TcpStream.h"

#include "platform/inet/InternetException.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <chrono>
#include <memory>

namespace {

constexpr std::chrono::milliseconds kShortWait{100};
constexpr std::chrono::milliseconds kWait{2000};

class TcpStreamTest : public testing::Test {
protected:
    void SetUp() override
    {
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        m_stream = std::make_unique<TcpStream>(SocketHandle(fds[0]), SocketRole::Data);
        m_peer = SocketHandle(fds[1]);
    }
    std::uint32_t ErrorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const CInternetException& error) {
            return error.m_dwError;
        }
        return 0;
    }

    std::unique_ptr<TcpStream> m_stream;
    SocketHandle m_peer;
};

}  // namespace

TEST_F(TcpStreamTest, ReceivesWhatIsSentAndCountsIt)
{
    ASSERT_EQ(::send(m_peer.Get(), "hello", 5, 0), 5);
    char buffer[16];
    EXPECT_EQ(m_stream->BytesAvailable(), 5u);
    EXPECT_EQ(m_stream->ReceiveSome(buffer, sizeof(buffer), kWait), 5u);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    EXPECT_FALSE(m_stream->TryReceive(buffer, sizeof(buffer)).has_value());
}

TEST_F(TcpStreamTest, EndOfStreamReadsAsZero)
{
    m_peer.Reset();
    char buffer[4];
    EXPECT_EQ(m_stream->ReceiveSome(buffer, sizeof(buffer), kWait), 0u);
}

TEST_F(TcpStreamTest, SilentPeerTimesOut)
{
    char buffer[4];
    EXPECT_EQ(ErrorOf([&] { m_stream->ReceiveSome(buffer, sizeof(buffer), kShortWait); }), ERROR_INTERNET_TIMEOUT);
}

TEST_F(TcpStreamTest, PeerThatStopsReadingTimesOutTheSender)
{
    const std::string block(1 << 20, 'x');
    EXPECT_EQ(ErrorOf([&] {
                  for (int i = 0; i < 64; ++i)
                      m_stream->SendAll(block, kShortWait);
              }),
              ERROR_INTERNET_TIMEOUT);
}

TEST_F(TcpStreamTest, SendingToClosedPeerIsResetWithoutSignal)
{
    m_peer.Reset();
    EXPECT_EQ(ErrorOf([&] { m_stream->SendAll("data", kWait); }), ERROR_INTERNET_CONNECTION_RESET);
}

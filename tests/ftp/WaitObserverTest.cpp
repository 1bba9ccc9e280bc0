// The wait observer: a program's chance to keep its window alive during a network wait and to
// abandon it. Against a server that accepts and never answers, and against one that answers.

#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetSession.h"
#include "platform/inet/SocketWait.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

using std::chrono::milliseconds;

class ScopedObserver {
public:
    explicit ScopedObserver(WaitObserver observer) : m_previous(SetWaitObserver(std::move(observer))) {}
    ~ScopedObserver() { SetWaitObserver(std::move(m_previous)); }

private:
    WaitObserver m_previous;
};

TEST(WaitObserverTest, AbandonsTheWaitForASilentServerWithItsOwnError)
{
    RogueServer silent("stall-greeting");
    std::vector<milliseconds> seen;
    ScopedObserver observer([&](milliseconds waited) {
        seen.push_back(waited);
        return waited < 3 * kWaitSlice;
    });
    CInternetSession session;
    session.SetTimeout(milliseconds(20000));
    try {
        delete session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword, silent.Port());
        FAIL() << "connected to a server that never greets";
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.m_dwError, ERROR_INTERNET_OPERATION_CANCELLED);
        EXPECT_EQ(error.GetText(), kStoppedByUserText);
    }
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front(), milliseconds(0)) << "asked before the wait begins";
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GE(seen.back(), 3 * kWaitSlice);
}

TEST(WaitObserverTest, AWaitThatEndsInTimeIsNotDisturbed)
{
    FtpTestServer& server = SharedServer(ServerKind::Pyftpdlib);
    int calls = 0;
    ScopedObserver observer([&](milliseconds) {
        ++calls;
        return true;
    });
    CInternetSession session;
    session.SetTimeout(kTestTimeout);
    ConnectionPtr connection(session.GetFtpConnection("127.0.0.1", server.User(), server.Password(), server.Port()));
    std::string directory;
    EXPECT_TRUE(connection->GetCurrentDirectory(directory));
    EXPECT_EQ(directory, "/");
    EXPECT_GT(calls, 0);
}

TEST(WaitObserverTest, WithoutAnObserverAWaitStillEndsAtTheTimeout)
{
    RogueServer silent("stall-greeting");
    CInternetSession session;
    session.SetTimeout(milliseconds(300));
    try {
        delete session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword, silent.Port());
        FAIL() << "connected to a server that never greets";
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.m_dwError, ERROR_INTERNET_TIMEOUT);
    }
}

} // namespace

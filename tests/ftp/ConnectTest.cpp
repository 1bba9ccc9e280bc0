// Connecting and logging in: accepted and refused logins, unreachable servers, the status
// notifications of a connect, and values that must never reach the wire.

#include "ftp/support/LoopbackPorts.h"
#include "ftp/support/PyftpdlibServer.h"
#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/FtpClient.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"

#include <gmock/gmock.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <algorithm>
#include <fstream>

using testing::HasSubstr;
using testing::Not;

namespace {

// Runs `connect` and returns the code of the CInternetException it throws (0 if none).
template <typename F>
std::uint32_t ErrorCodeOf(F&& connect)
{
    try {
        connect();
    } catch (const CInternetException& error) {
        return error.m_dwError;
    }
    return 0;
}

// Index of the first notification with `status`, or -1.
int FirstIndexOf(const RecordingSession& session, std::uint32_t status)
{
    const auto& all = session.Notifications();
    auto it = std::find_if(all.begin(), all.end(), [&](const auto& n) { return n.status == status; });
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

} // namespace

class ConnectTest : public ServerTest {};

TEST_P(ConnectTest, LogsInAndStartsAtTheRoot)
{
    std::string directory;
    ASSERT_TRUE(Connection().GetCurrentDirectory(directory));
    EXPECT_EQ(directory, "/");
}

TEST_P(ConnectTest, RefusesWrongPasswordWithIncorrectPasswordCode)
{
    const std::string wrong = "Wrong-Secret-77";
    try {
        Connect(Server().User(), wrong);
        FAIL() << "a wrong password was accepted";
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.m_dwError, ERROR_INTERNET_INCORRECT_PASSWORD);
        EXPECT_THAT(error.GetText(), Not(HasSubstr(wrong)));
    }
}

TEST_P(ConnectTest, ReportsConnectStepsInOrder)
{
    Connection();
    const RecordingSession& session = Session();
    const std::uint32_t order[] = {INTERNET_STATUS_RESOLVING_NAME,     INTERNET_STATUS_NAME_RESOLVED,
                                   INTERNET_STATUS_CONNECTING_TO_SERVER, INTERNET_STATUS_CONNECTED_TO_SERVER,
                                   INTERNET_STATUS_SENDING_REQUEST,    INTERNET_STATUS_REQUEST_SENT,
                                   INTERNET_STATUS_RECEIVING_RESPONSE, INTERNET_STATUS_RESPONSE_RECEIVED};
    int previous = -1;
    for (std::uint32_t status : order) {
        int index = FirstIndexOf(session, status);
        ASSERT_GE(index, 0) << "no notification " << status;
        EXPECT_GT(index, previous) << "notification " << status << " out of order";
        previous = index;
    }
    const auto& all = session.Notifications();
    EXPECT_EQ(all[static_cast<std::size_t>(FirstIndexOf(session, INTERNET_STATUS_RESOLVING_NAME))].info, "127.0.0.1");
    EXPECT_THAT(all[static_cast<std::size_t>(FirstIndexOf(session, INTERNET_STATUS_NAME_RESOLVED))].info,
                HasSubstr("127.0.0.1"));
}

// A router that forgets quiet connections must not cut the control connection while a long
// transfer runs on the data connection: keep-alive probes start after a minute of silence.
TEST_P(ConnectTest, ControlConnectionKeepsItselfAlive)
{
    const int socket = Connection().Client().Control()->PollHandle();
    auto option = [socket](int level, int name) {
        int value = -1;
        socklen_t length = sizeof value;
        EXPECT_EQ(::getsockopt(socket, level, name, &value, &length), 0) << name;
        return value;
    };
    EXPECT_EQ(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPIDLE), 60);
    const int interval = option(IPPROTO_TCP, TCP_KEEPINTVL);
    const int probes = option(IPPROTO_TCP, TCP_KEEPCNT);
    EXPECT_GT(interval, 0);
    EXPECT_GT(probes, 0);
    // A dead peer is found within a few minutes, not the system's default of over two hours.
    EXPECT_LE(60 + interval * probes, 300);
}

TEST_P(ConnectTest, NeverPassesThePasswordToNotifications)
{
    Connection();
    ASSERT_FALSE(Session().Notifications().empty());
    for (const auto& notification : Session().Notifications())
        EXPECT_THAT(notification.info, Not(HasSubstr(Server().Password()))) << "status " << notification.status;
}

TEST_P(ConnectTest, ResolvesHostNameAndNamesItWhileResolving)
{
    ConnectionPtr connection(Session().GetFtpConnection("localhost", Server().User(), Server().Password(),
                                                        Server().Port(), GetParam().passive));
    std::string directory;
    EXPECT_TRUE(connection->GetCurrentDirectory(directory));
    int resolving = FirstIndexOf(Session(), INTERNET_STATUS_RESOLVING_NAME);
    ASSERT_GE(resolving, 0);
    EXPECT_EQ(Session().Notifications()[static_cast<std::size_t>(resolving)].info, "localhost");
}

INSTANTIATE_TEST_SUITE_P(Servers, ConnectTest, testing::ValuesIn(AllServerModes()), ServerModeName);

TEST(ConnectFailure, ReportsRefusedPortAsCannotConnect)
{
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    std::uint16_t closed = FreeLoopbackPort();
    EXPECT_EQ(ErrorCodeOf([&] { ConnectionPtr(session.GetFtpConnection("127.0.0.1", "u", "p", closed, true)); }),
              ERROR_INTERNET_CANNOT_CONNECT);
}

TEST(ConnectFailure, ReportsUnknownHostAsNameNotResolved)
{
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    EXPECT_EQ(ErrorCodeOf([&] {
                  ConnectionPtr(session.GetFtpConnection("no-such-host.invalid", "u", "p", 21, true));
              }),
              ERROR_INTERNET_NAME_NOT_RESOLVED);
}

TEST(AnonymousLogin, ReadsItsOwnFolderAndMayNotWrite)
{
    auto& server = static_cast<PyftpdlibServer&>(SharedServer(ServerKind::Pyftpdlib));
    std::ofstream(server.AnonymousRoot() / "welcome.txt") << "hello";
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    ConnectionPtr connection(session.GetFtpConnection("127.0.0.1", "anonymous", "guest@example.com", server.Port(), true));
    CFtpFileFind finder(connection.get());
    ASSERT_TRUE(finder.FindFile("welcome.txt"));
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "welcome.txt");
    EXPECT_EQ(finder.GetLength(), 5u);
    finder.Close();
    EXPECT_FALSE(connection->CreateDirectory("/intruder"));
    EXPECT_FALSE(std::filesystem::exists(server.AnonymousRoot() / "intruder"));
}

TEST(LoginValues, RefusesLineBreakInUserNameWithoutSendingIt)
{
    RogueServer rogue("normal");
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    EXPECT_NE(ErrorCodeOf([&] {
                  ConnectionPtr(session.GetFtpConnection("127.0.0.1", "rogue\r\nDELE x", "secret", rogue.Port(), true));
              }),
              0u);
    EXPECT_EQ(rogue.CountCommands("USER"), 0);
    EXPECT_EQ(rogue.CountCommands("DELE"), 0);
}

TEST(LoginValues, RefusesLineBreakInPasswordWithoutSendingIt)
{
    RogueServer rogue("normal");
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    EXPECT_NE(ErrorCodeOf([&] {
                  ConnectionPtr(session.GetFtpConnection("127.0.0.1", "rogue", "secret\nDELE x", rogue.Port(), true));
              }),
              0u);
    EXPECT_EQ(rogue.CountCommands("PASS"), 0);
    EXPECT_EQ(rogue.CountCommands("DELE"), 0);
}

#pragma once
// The fixture of the tests that run against both real servers, in passive and in active mode.
// The servers start once per test executable, on first use, and stop when it ends. Every test
// works in a folder of its own on the server, named after the test.

#include "ftp/support/FtpTestServer.h"
#include "ftp/support/RecordingSession.h"
#include "platform/inet/FtpConnection.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

enum class ServerKind { Vsftpd, Pyftpdlib };

struct ServerMode {
    ServerKind kind;
    bool passive;
};

// Every server in both modes, and the readable test-name suffix of each ("vsftpd_passive").
std::vector<ServerMode> AllServerModes();
std::string ServerModeName(const testing::TestParamInfo<ServerMode>& info);

// The server of that kind for this executable; throws std::runtime_error (again on every call)
// when it could not start.
FtpTestServer& SharedServer(ServerKind kind);

// Short enough that a fault shows at once, long enough for a loaded CI machine.
inline constexpr std::chrono::milliseconds kTestTimeout{5000};

struct ConnectionCloser {
    void operator()(CFtpConnection* connection) const;
};
using ConnectionPtr = std::unique_ptr<CFtpConnection, ConnectionCloser>;

class ServerTest : public testing::TestWithParam<ServerMode> {
protected:
    void SetUp() override;

    FtpTestServer& Server() { return *m_server; }
    RecordingSession& Session() { return *m_session; }
    // The logged-in connection of this test, made on first use (passive as the parameter says).
    CFtpConnection& Connection();
    ConnectionPtr Connect(const std::string& user, const std::string& password);

    // This test's own folder: remote path ("/Name_vsftpd_passive") and relative path on disk.
    const std::string& Dir() const { return m_dir; }
    std::string Remote(const std::string& relative) const { return m_dir + "/" + relative; }
    std::string Local(const std::string& relative) const { return m_dir.substr(1) + "/" + relative; }

private:
    FtpTestServer* m_server = nullptr;
    std::unique_ptr<RecordingSession> m_session;
    ConnectionPtr m_connection;
    std::string m_dir;
};

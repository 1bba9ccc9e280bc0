// Connections over IPv6: servers bound to ::1 only, reached by the address literal, with
// EPSV and EPRT data connections (PASV and PORT cannot name IPv6 ports).

#include "ftp/support/ChildProcess.h"
#include "ftp/support/PyftpdlibServer.h"
#include "ftp/support/RecordingSession.h"
#include "ftp/support/ServerTest.h"
#include "ftp/support/VsftpdServer.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <gmock/gmock.h>

#include <unistd.h>

#include <algorithm>
#include <map>

using testing::HasSubstr;

namespace {

constexpr const char* kIpv6Loopback = "::1";

FtpTestServer& Ipv6Server(ServerKind kind)
{
    static std::map<ServerKind, std::unique_ptr<FtpTestServer>> servers;
    std::unique_ptr<FtpTestServer>& server = servers[kind];
    if (!server) {
        if (kind == ServerKind::Vsftpd)
            server = std::make_unique<VsftpdServer>(VsftpdSetup{kIpv6Loopback, ""});
        else
            server = std::make_unique<PyftpdlibServer>(PyftpdlibSetup{kIpv6Loopback, "", ""});
    }
    return *server;
}

class Ipv6Test : public testing::TestWithParam<ServerMode> {};

TEST_P(Ipv6Test, TransfersBothWaysOverIpv6)
{
    const ServerMode mode = GetParam();
    FtpTestServer& server = Ipv6Server(mode.kind);
    const std::string dir = std::string("v6_") + (mode.passive ? "passive" : "active");
    server.MakeDir(dir);
    std::string content(300 * 1024, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i % 247);
    server.WriteFile(dir + "/down.bin", content);

    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    // Written both ways users write it: bare, and bracketed as next to a port.
    for (const std::string host : {"::1", "[::1]"}) {
        ConnectionPtr connection(
            session.GetFtpConnection(host, server.User(), server.Password(), server.Port(), mode.passive));
        std::unique_ptr<CInternetFile> download(connection->OpenFile("/" + dir + "/down.bin", GENERIC_READ));
        std::string received;
        char block[8192];
        while (std::uint32_t got = download->Read(block, sizeof block))
            received.append(block, got);
        download->Close();
        EXPECT_TRUE(received == content) << host << ": received " << received.size() << " bytes";

        std::unique_ptr<CInternetFile> upload(connection->OpenFile("/" + dir + "/up.bin", GENERIC_WRITE));
        upload->Write(content.data(), static_cast<std::uint32_t>(content.size()));
        upload->Close();
        EXPECT_TRUE(server.ReadFile(dir + "/up.bin") == content) << host;

        CFtpFileFind finder(connection.get());
        ASSERT_TRUE(finder.FindFile("/" + dir + "/up.bin")) << host << ": " << finder.GetLastErrorText();
        finder.FindNextFile();
        EXPECT_EQ(finder.GetLength(), content.size());
    }
    const auto& notes = session.Notifications();
    EXPECT_TRUE(std::any_of(notes.begin(), notes.end(), [](const StatusNotification& note) {
        return note.status == INTERNET_STATUS_CONNECTED_TO_SERVER && note.info.rfind("[::1]:", 0) == 0;
    }));
    if (auto* vsftpd = dynamic_cast<VsftpdServer*>(&server)) {
        EXPECT_THAT(vsftpd->LogText(), HasSubstr(mode.passive ? "\"EPSV\"" : "\"EPRT |2|::1|"));
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, Ipv6Test, testing::ValuesIn(AllServerModes()), ServerModeName);

// A name with an IPv6 and an IPv4 address reaches a server that listens on only one of them,
// whichever it is. The name lives in a hosts file of the test's own, seen only by the probe
// through a private mount namespace; the machine's own /etc/hosts is never touched.
TEST(Ipv6NameTest, NameWithBothFamiliesReachesAServerOnEither)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "a private hosts file needs a mount namespace (root)";
    TempDir work;
    const std::string hosts = work.WriteFile("hosts", "::1 dual.ferrix.test\n127.0.0.1 dual.ferrix.test\n").string();
    const std::vector<std::string> privateHosts = {"/usr/bin/unshare", "--mount", "/bin/sh", "-c",
                                                   "mount --bind \"$0\" /etc/hosts && exec \"$@\"", hosts};
    std::vector<std::string> probeNamespace = privateHosts;
    probeNamespace.push_back("/bin/true");
    if (RunCommand(probeNamespace).exitCode != 0)
        GTEST_SKIP() << "no mount namespace here";

    PyftpdlibServer ipv4Only;
    FtpTestServer& ipv6Only = Ipv6Server(ServerKind::Pyftpdlib);
    for (FtpTestServer* server : {static_cast<FtpTestServer*>(&ipv4Only), &ipv6Only}) {
        server->WriteFile("reached.txt", "yes");
        std::vector<std::string> argv = privateHosts;
        argv.insert(argv.end(), {FERRIX_PROBE_PATH, "-v", "--timeout", "5",
                                 "ftp://" + server->User() + ":" + server->Password() + "@dual.ferrix.test:"
                                     + std::to_string(server->Port()),
                                 "ls"});
        CommandResult result = RunCommand(argv);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_THAT(result.out, HasSubstr("reached.txt"));
        EXPECT_THAT(result.err, HasSubstr(server == &ipv4Only ? "CONNECTED_TO_SERVER 127.0.0.1:" : "CONNECTED_TO_SERVER [::1]:"));
    }
}

} // namespace

// Explicit FTP over TLS against real servers: login, listing and transfers both ways in both
// modes with encrypted data connections (vsftpd demanding session reuse), how certificates
// are judged, servers without TLS, and servers that break the handshake.

#include "ftp/support/ChildProcess.h"
#include "ftp/support/PyftpdlibServer.h"
#include "ftp/support/RecordingSession.h"
#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "ftp/support/TestCertificate.h"
#include "ftp/support/VsftpdServer.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>

using testing::HasSubstr;
using testing::Not;

namespace {

constexpr std::size_t kFileBytes = 700 * 1024;   // several TLS records and socket buffers
// A misbehaving server must fail the connect within a few waits, never hang it.
constexpr auto kNoHangBound = 4 * kTestTimeout;

std::string FileBytes(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + seed) % 253);
    return bytes;
}

FtpSecurity Trusting(ConnectionSecurity mode, const std::string& fingerprint)
{
    FtpSecurity security;
    security.mode = mode;
    if (!fingerprint.empty())
        security.trustedFingerprints.push_back(fingerprint);
    return security;
}

struct ConnectOutcome {
    ConnectionPtr connection;
    std::uint32_t code = 0;
    std::string text;
    std::chrono::steady_clock::duration took{};
};

ConnectOutcome TryConnect(CInternetSession& session, const std::string& host, std::uint16_t port,
                          const std::string& user, const std::string& password, bool passive,
                          const FtpSecurity& security)
{
    ConnectOutcome outcome;
    const auto start = std::chrono::steady_clock::now();
    try {
        outcome.connection.reset(session.GetFtpConnection(host, user, password, port, passive, security));
    } catch (const CInternetException& error) {
        outcome.code = error.m_dwError;
        outcome.text = error.GetText();
    }
    outcome.took = std::chrono::steady_clock::now() - start;
    return outcome;
}

// The TLS servers of this executable, each with a self-signed certificate, started on first use.
const TestCertificate& ServerCertificateFile()
{
    static const TestCertificate certificate;
    return certificate;
}

FtpTestServer& TlsServer(ServerKind kind)
{
    static std::map<ServerKind, std::unique_ptr<FtpTestServer>> servers;
    std::unique_ptr<FtpTestServer>& server = servers[kind];
    if (!server) {
        const TestCertificate& certificate = ServerCertificateFile();
        if (kind == ServerKind::Vsftpd)
            server = std::make_unique<VsftpdServer>(VsftpdSetup{"127.0.0.1", VsftpdTlsConfig(certificate)});
        else
            server = std::make_unique<PyftpdlibServer>(PyftpdlibSetup{
                "127.0.0.1", certificate.CertificateFile().string(), certificate.KeyFile().string()});
    }
    return *server;
}

std::vector<std::string> ListNames(CFtpConnection& connection, const std::string& pattern)
{
    std::vector<std::string> names;
    CFtpFileFind finder(&connection);
    for (bool more = finder.FindFile(pattern); more;) {
        more = finder.FindNextFile();
        names.push_back(finder.GetFileName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Download(CFtpConnection& connection, const std::string& path)
{
    std::unique_ptr<CInternetFile> file(connection.OpenFile(path, GENERIC_READ));
    std::string content;
    char block[10 * 1024];
    while (std::uint32_t got = file->Read(block, sizeof block))
        content.append(block, got);
    file->Close();
    return content;
}

void Upload(CFtpConnection& connection, const std::string& path, const std::string& content)
{
    std::unique_ptr<CInternetFile> file(connection.OpenFile(path, GENERIC_WRITE));
    for (std::size_t at = 0; at < content.size(); at += 10 * 1024) {
        const std::size_t n = std::min<std::size_t>(10 * 1024, content.size() - at);
        file->Write(content.data() + at, static_cast<std::uint32_t>(n));
    }
    file->Close();
}

class TlsServerTest : public testing::TestWithParam<ServerMode> {};

TEST_P(TlsServerTest, LogsInListsAndTransfersBothWaysEncrypted)
{
    const ServerMode mode = GetParam();
    FtpTestServer& server = TlsServer(mode.kind);
    const std::string dir = std::string("tls_") + (mode.passive ? "passive" : "active");
    server.MakeDir(dir);
    const std::string onServer = FileBytes(kFileBytes, 7);
    server.WriteFile(dir + "/from-server.bin", onServer);

    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    ConnectOutcome outcome = TryConnect(session, "127.0.0.1", server.Port(), server.User(), server.Password(),
                                        mode.passive,
                                        Trusting(ConnectionSecurity::RequireTls, ServerCertificateFile().Sha256()));
    ASSERT_TRUE(outcome.connection) << outcome.text;
    CFtpConnection& connection = *outcome.connection;
    EXPECT_TRUE(connection.IsEncrypted());

    // Twice each: every data connection resumes the session, not only the first.
    for (int round = 0; round < 2; ++round) {
        const std::string received = Download(connection, "/" + dir + "/from-server.bin");
        EXPECT_TRUE(received == onServer) << "received " << received.size() << " bytes";
        const std::string sent = FileBytes(kFileBytes + static_cast<std::size_t>(round), 11);
        const std::string name = "to-server-" + std::to_string(round) + ".bin";
        Upload(connection, "/" + dir + "/" + name, sent);
        const std::string stored = server.ReadFile(dir + "/" + name);
        EXPECT_TRUE(stored == sent) << "stored " << stored.size() << " bytes";
    }
    EXPECT_EQ(ListNames(connection, "/" + dir + "/*"),
              (std::vector<std::string>{"from-server.bin", "to-server-0.bin", "to-server-1.bin"}));
    EXPECT_TRUE(connection.IsEncrypted());
}

INSTANTIATE_TEST_SUITE_P(Servers, TlsServerTest, testing::ValuesIn(AllServerModes()), ServerModeName);

// Both judgements of a self-signed certificate at once, on one server: refused with every
// detail a user needs, accepted once the caller approves it, and accepted by fingerprint in
// any of the ways people write one.
TEST(TlsCertificateTest, UntrustedCertificateIsRefusedWithItsDetailsUnlessTrusted)
{
    FtpTestServer& server = TlsServer(ServerKind::Vsftpd);
    const std::string fingerprint = ServerCertificateFile().Sha256();
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    auto connect = [&](const FtpSecurity& security) {
        return TryConnect(session, "127.0.0.1", server.Port(), server.User(), server.Password(), true, security);
    };

    ConnectOutcome refused = connect(Trusting(ConnectionSecurity::RequireTls, ""));
    EXPECT_FALSE(refused.connection);
    EXPECT_EQ(refused.code, ERROR_INTERNET_SEC_CERT_ERRORS);
    EXPECT_THAT(refused.text, HasSubstr("self-signed certificate"));
    EXPECT_THAT(refused.text, HasSubstr("Subject: CN=localhost"));
    EXPECT_THAT(refused.text, HasSubstr("Issuer: CN=localhost"));
    EXPECT_THAT(refused.text, HasSubstr("Valid from "));
    EXPECT_THAT(refused.text, HasSubstr(fingerprint));

    std::vector<ServerCertificate> asked;
    FtpSecurity approving = Trusting(ConnectionSecurity::RequireTls, "");
    approving.approve = [&](const ServerCertificate& certificate) {
        asked.push_back(certificate);
        return true;
    };
    ConnectOutcome approved = connect(approving);
    ASSERT_TRUE(approved.connection) << approved.text;
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].sha256, fingerprint);
    EXPECT_EQ(asked[0].port, server.Port());

    std::string bare = fingerprint;
    bare.erase(std::remove(bare.begin(), bare.end(), ':'), bare.end());
    std::transform(bare.begin(), bare.end(), bare.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const std::string& written : {fingerprint, bare}) {
        ConnectOutcome trusted = connect(Trusting(ConnectionSecurity::RequireTls, written));
        EXPECT_TRUE(trusted.connection) << written << ": " << trusted.text;
    }
}

// The server's certificate changes between two connects (a new server on the same address):
// the fingerprint trusted before no longer opens it, and the refusal names both.
TEST(TlsCertificateTest, ChangedCertificateIsRefusedNamingBothFingerprints)
{
    const TestCertificate replaced;
    VsftpdServer server(VsftpdSetup{"127.0.0.1", VsftpdTlsConfig(replaced)});
    const std::string before = ServerCertificateFile().Sha256();
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    bool asked = false;
    FtpSecurity security = Trusting(ConnectionSecurity::RequireTls, before);
    security.approve = [&](const ServerCertificate&) { return asked = true; };

    ConnectOutcome refused =
        TryConnect(session, "127.0.0.1", server.Port(), server.User(), server.Password(), true, security);
    EXPECT_FALSE(refused.connection);
    EXPECT_EQ(refused.code, ERROR_INTERNET_SEC_CERT_ERRORS);
    EXPECT_THAT(refused.text, HasSubstr("changed"));
    EXPECT_THAT(refused.text, HasSubstr(before));
    EXPECT_THAT(refused.text, HasSubstr(replaced.Sha256()));
    EXPECT_FALSE(asked) << "a changed certificate must not be offered for approval";

    ConnectOutcome trusted = TryConnect(session, "127.0.0.1", server.Port(), server.User(), server.Password(), true,
                                        Trusting(ConnectionSecurity::RequireTls, replaced.Sha256()));
    EXPECT_TRUE(trusted.connection) << trusted.text;
}

// A certificate that the trust store verifies for the name connected to is accepted without
// asking anyone; the same certificate reached by a name it does not carry is not.
TEST(TlsCertificateTest, CertificateTheTrustStoreVerifiesIsAcceptedSilently)
{
    const TestCertificate certificate(TestCertificate::Signer::TestAuthority);
    ScopedEnv trustStore("SSL_CERT_FILE", certificate.AuthorityFile().string());
    PyftpdlibServer server(PyftpdlibSetup{"127.0.0.1", certificate.CertificateFile().string(),
                                          certificate.KeyFile().string()});
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    int asked = 0;
    FtpSecurity security = Trusting(ConnectionSecurity::RequireTls, "");
    security.approve = [&](const ServerCertificate&) {
        ++asked;
        return false;
    };
    for (const std::string host : {"localhost", "127.0.0.1"}) {
        ConnectOutcome outcome =
            TryConnect(session, host, server.Port(), server.User(), server.Password(), true, security);
        ASSERT_TRUE(outcome.connection) << host << ": " << outcome.text;
        EXPECT_TRUE(outcome.connection->IsEncrypted());
    }
    EXPECT_EQ(asked, 0);

    const TestCertificate otherName(TestCertificate::Signer::TestAuthority, "files.example");
    ScopedEnv otherTrustStore("SSL_CERT_FILE", otherName.AuthorityFile().string());
    PyftpdlibServer misnamed(PyftpdlibSetup{"127.0.0.1", otherName.CertificateFile().string(),
                                            otherName.KeyFile().string()});
    ConnectOutcome outcome =
        TryConnect(session, "localhost", misnamed.Port(), misnamed.User(), misnamed.Password(), true, security);
    EXPECT_FALSE(outcome.connection);
    EXPECT_EQ(outcome.code, ERROR_INTERNET_SEC_CERT_ERRORS);
    EXPECT_THAT(outcome.text, HasSubstr("hostname mismatch"));
    EXPECT_EQ(asked, 1);
}

// A server without TLS: refused under "require" before the user name or password leaves the
// client, used in plain under "if available" and reported as not encrypted.
TEST(TlsPlainServerTest, ServerWithoutTlsIsRefusedWhenRequiredAndPlainWhenOptional)
{
    VsftpdServer server;
    RecordingSession session;
    session.SetTimeout(kTestTimeout);

    ConnectOutcome refused = TryConnect(session, "127.0.0.1", server.Port(), server.User(), server.Password(), true,
                                        Trusting(ConnectionSecurity::RequireTls, ""));
    EXPECT_FALSE(refused.connection);
    EXPECT_EQ(refused.code, ERROR_INTERNET_SECURITY_CHANNEL_ERROR);
    EXPECT_THAT(refused.text, HasSubstr("does not offer encrypted connections"));
    EXPECT_THAT(server.LogText(), HasSubstr("\"AUTH TLS\""));
    EXPECT_THAT(server.LogText(), Not(HasSubstr("\"PASS")));
    EXPECT_THAT(server.LogText(), Not(HasSubstr("\"USER")));

    server.MakeDir("plain");
    server.WriteFile("plain/file.txt", "clear");
    ConnectOutcome plain = TryConnect(session, "127.0.0.1", server.Port(), server.User(), server.Password(), true,
                                      Trusting(ConnectionSecurity::TlsIfAvailable, ""));
    ASSERT_TRUE(plain.connection) << plain.text;
    EXPECT_FALSE(plain.connection->IsEncrypted());
    EXPECT_EQ(Download(*plain.connection, "/plain/file.txt"), "clear");
}

struct HandshakeFault {
    const char* scenario;
    std::uint32_t code;
    const char* text;
};

class TlsHandshakeFaultTest : public testing::TestWithParam<HandshakeFault> {};

// A clear error within a few waits, and the login never sent in any form.
TEST_P(TlsHandshakeFaultTest, FailsClearlyWithoutSendingTheLogin)
{
    const HandshakeFault fault = GetParam();
    RogueServer server(fault.scenario);
    RecordingSession session;
    session.SetTimeout(kTestTimeout);
    ConnectOutcome outcome = TryConnect(session, "127.0.0.1", server.Port(), RogueServer::kUser,
                                        RogueServer::kPassword, true,
                                        Trusting(ConnectionSecurity::TlsIfAvailable, ""));
    EXPECT_FALSE(outcome.connection);
    EXPECT_EQ(outcome.code, fault.code) << outcome.text;
    EXPECT_THAT(outcome.text, HasSubstr(fault.text));
    EXPECT_LT(outcome.took, kNoHangBound);
    EXPECT_EQ(server.CountCommands("AUTH"), 1);
    EXPECT_EQ(server.CountCommands("USER"), 0);
    EXPECT_EQ(server.CountCommands("PASS"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TlsHandshakeFaultTest,
    testing::Values(
        HandshakeFault{"auth-plain-after-234", ERROR_INTERNET_SECURITY_CHANNEL_ERROR, "could not be set up"},
        HandshakeFault{"auth-plain-with-234", ERROR_INTERNET_SECURITY_CHANNEL_ERROR, "unencrypted data"},
        HandshakeFault{"auth-close-handshake", ERROR_INTERNET_SECURITY_CHANNEL_ERROR, "could not be set up"},
        HandshakeFault{"auth-stall-handshake", ERROR_INTERNET_TIMEOUT, "Timed out"}),
    [](const testing::TestParamInfo<HandshakeFault>& info) {
        std::string name = info.param.scenario;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// A certificate for "localhost\0.evil.example", even one the trust store vouches for, is not
// a certificate for localhost; the error shows the hidden byte rather than cutting the name at it.
TEST(TlsCertificateTest, NameWithEmbeddedNulIsNoMatchForTheNameBeforeIt)
{
    TempDir work;
    const std::string certificateFile = (work.Path() / "nul.pem").string();
    const std::string keyFile = (work.Path() / "nul.key").string();
    CommandResult made = RunCommand({"/usr/bin/python3", std::string(FERRIX_TEST_SCRIPTS) + "/make_nul_certificate.py",
                                     certificateFile, keyFile});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    ScopedEnv trustStore("SSL_CERT_FILE", certificateFile);
    PyftpdlibServer server(PyftpdlibSetup{"127.0.0.1", certificateFile, keyFile});
    RecordingSession session;
    session.SetTimeout(kTestTimeout);

    ConnectOutcome outcome = TryConnect(session, "localhost", server.Port(), server.User(), server.Password(), true,
                                        Trusting(ConnectionSecurity::RequireTls, ""));
    EXPECT_FALSE(outcome.connection);
    EXPECT_EQ(outcome.code, ERROR_INTERNET_SEC_CERT_ERRORS);
    EXPECT_THAT(outcome.text, HasSubstr("hostname mismatch"));
    EXPECT_THAT(outcome.text, HasSubstr("CN=localhost\\00.evil.example"));
    EXPECT_EQ(outcome.text.find('\0'), std::string::npos);
}

// The scripted server's TLS scenarios run on the test certificate, which the client trusts.
std::vector<std::string> RogueTlsArguments()
{
    const TestCertificate& certificate = ServerCertificateFile();
    return {"--tls-cert", certificate.CertificateFile().string(), "--tls-key", certificate.KeyFile().string()};
}

ConnectOutcome ConnectToRogueTls(RecordingSession& session, const RogueServer& server)
{
    session.SetTimeout(kTestTimeout);
    return TryConnect(session, "127.0.0.1", server.Port(), RogueServer::kUser, RogueServer::kPassword, true,
                      Trusting(ConnectionSecurity::RequireTls, ServerCertificateFile().Sha256()));
}

struct DownloadOutcome {
    std::string received;
    std::uint32_t code = 0;
    std::string text;
    std::chrono::steady_clock::duration took{};
};

// Reads a file to its end or its failure, keeping what arrived and how long it took.
DownloadOutcome TryDownload(CFtpConnection& connection, const std::string& path)
{
    DownloadOutcome outcome;
    const auto start = std::chrono::steady_clock::now();
    try {
        std::unique_ptr<CInternetFile> file(connection.OpenFile(path, GENERIC_READ));
        char block[8192];
        while (std::uint32_t got = file->Read(block, sizeof block))
            outcome.received.append(block, got);
        file->Close();
    } catch (const CInternetException& error) {
        outcome.code = error.m_dwError;
        outcome.text = error.GetText();
    }
    outcome.took = std::chrono::steady_clock::now() - start;
    return outcome;
}

// A server (or anyone on the path) that ends a protected data connection without TLS's closing
// alert may have cut the file: that is a failed copy even when the server then says 226.
TEST(TlsTruncationTest, DataEndedWithoutClosingAlertFailsDespiteTheServersSuccess)
{
    RogueServer server("tls-truncated-data", RogueTlsArguments());
    RecordingSession session;
    ConnectOutcome outcome = ConnectToRogueTls(session, server);
    ASSERT_TRUE(outcome.connection) << outcome.text;
    EXPECT_TRUE(outcome.connection->IsEncrypted());

    const DownloadOutcome download = TryDownload(*outcome.connection, "/file.bin");
    EXPECT_EQ(download.code, ERROR_INTERNET_CONNECTION_ABORTED) << download.text;
    EXPECT_THAT(download.text, HasSubstr("before the end of the file"));
    EXPECT_LE(download.received.size(), RogueServer::kFileSize / 2);
}

// A fatal alert in the middle of a protected download (here one in clear text, which no
// encrypted stream may carry), whether the server then says 426 at once or even 226 once the
// client let go: the copy fails within a few waits, naming the encrypted connection, is not
// tried again, keeps only the bytes that came before the alert, and the connection serves the
// next request, encrypted.
class TlsAlertTest : public testing::TestWithParam<bool> {};

TEST_P(TlsAlertTest, AlertInTheMiddleOfADownloadFailsClearlyAndTheConnectionGoesOn)
{
    std::vector<std::string> arguments = RogueTlsArguments();
    if (GetParam())
        arguments.push_back("--alert-then-426");
    RogueServer server("tls-alert-mid-data", arguments);
    RecordingSession session;
    ConnectOutcome outcome = ConnectToRogueTls(session, server);
    ASSERT_TRUE(outcome.connection) << outcome.text;

    const DownloadOutcome download = TryDownload(*outcome.connection, "/file.bin");
    const bool replyReadFirst = GetParam() && download.code == ERROR_INTERNET_EXTENDED_ERROR;
    if (replyReadFirst) {
        // The 426 and the alert race to the client on two connections; when the reply is read
        // first it is the reason, and continuing is refused by this server's REST.
        EXPECT_THAT(download.text, HasSubstr("426 Connection closed"));
    } else {
        EXPECT_EQ(download.code, ERROR_INTERNET_SECURITY_CHANNEL_ERROR) << download.text;
        EXPECT_THAT(download.text, HasSubstr("The encrypted connection failed"));
    }
    EXPECT_LT(download.took, kNoHangBound);
    EXPECT_LE(download.received.size(), RogueServer::kFileSize * 3 / 8);   // what came before the alert
    EXPECT_TRUE(RogueServer::FileContent().compare(0, download.received.size(), download.received) == 0)
        << "the bytes before the alert arrived changed";
    if (!replyReadFirst) {
        EXPECT_EQ(server.CountCommands("RETR"), 1) << "a broken encrypted connection is not tried again";
        EXPECT_EQ(server.CountCommands("REST"), 0);
    }

    EXPECT_THAT(ListNames(*outcome.connection, "/*"), testing::Contains("file.bin"));
    EXPECT_TRUE(outcome.connection->IsEncrypted());
}

INSTANTIATE_TEST_SUITE_P(ServerReplies, TlsAlertTest, testing::Bool(), [](const testing::TestParamInfo<bool>& info) {
    return std::string(info.param ? "Then426" : "Then226AfterTheClientLetGo");
});

// A data connection whose handshake fails shows the server's reason, and the connection goes
// on without a reconnect: the server's reply to the failed transfer was read.
TEST(TlsTruncationTest, FailedDataHandshakeShowsTheServersReasonAndKeepsTheConnection)
{
    RogueServer server("tls-data-refused", RogueTlsArguments());
    RecordingSession session;
    ConnectOutcome outcome = ConnectToRogueTls(session, server);
    ASSERT_TRUE(outcome.connection) << outcome.text;

    std::string text;
    try {
        std::unique_ptr<CInternetFile> file(outcome.connection->OpenFile("/refused.bin", GENERIC_READ));
        ADD_FAILURE() << "the download opened";
    } catch (const CInternetException& error) {
        text = error.GetText();
    }
    EXPECT_THAT(text, HasSubstr("522 SSL connection failed: session reuse required"));

    std::string directory;
    EXPECT_TRUE(outcome.connection->SetCurrentDirectory("/sub"));
    EXPECT_TRUE(outcome.connection->GetCurrentDirectory(directory));
    EXPECT_EQ(directory, "/sub");
    EXPECT_EQ(server.CountCommands("AUTH"), 1) << "no reconnect";
}

// A protected file cut part way (the data connection ends without TLS's closing alert, then
// 426) continues over a new encrypted connection, both ways.
TEST(TlsResumeTest, ACutFileContinuesOverANewEncryptedConnection)
{
    std::vector<std::string> arguments = RogueTlsArguments();
    arguments.insert(arguments.end(), {"--cuts", "2", "--rest-stream"});
    RogueServer server("cut-data", arguments);
    RecordingSession session;
    ConnectOutcome outcome = ConnectToRogueTls(session, server);
    ASSERT_TRUE(outcome.connection) << outcome.text;
    const std::string content = RogueServer::FileContent();

    std::string received;
    {
        std::unique_ptr<CInternetFile> file(outcome.connection->OpenFile("/file.bin", GENERIC_READ));
        char block[8192];
        while (std::uint32_t got = file->Read(block, sizeof block))
            received.append(block, got);
        file->Close();
    }
    EXPECT_TRUE(received == content) << received.size() << " bytes";
    {
        std::unique_ptr<CInternetFile> file(outcome.connection->OpenFile("/up.bin", GENERIC_WRITE));
        file->Write(content.data(), static_cast<std::uint32_t>(content.size()));
        file->Close();
    }
    EXPECT_TRUE(server.StoredBytes() == content);
    EXPECT_TRUE(outcome.connection->IsEncrypted());
    EXPECT_EQ(server.CountCommands("AUTH TLS"), 3);
    EXPECT_EQ(server.CountCommands("REST " + std::to_string(RogueServer::kFileSize * 40 / 100)), 1);
    EXPECT_EQ(server.CountCommands("REST " + std::to_string(RogueServer::kFileSize * 60 / 100)), 1);
}

// The probe for scripts: --tls with a fingerprint as people paste it; without one, the
// fingerprint is in the error so that the user can check it and pass it.
TEST(TlsProbeTest, ProbeRequiresTlsAndTrustsTheGivenFingerprint)
{
    FtpTestServer& server = TlsServer(ServerKind::Pyftpdlib);
    server.WriteFile("probe.txt", "over tls");
    const std::string url =
        "ftp://" + server.User() + ":" + server.Password() + "@127.0.0.1:" + std::to_string(server.Port());
    std::string lower = ServerCertificateFile().Sha256();
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });

    CommandResult untrusted = RunCommand({FERRIX_PROBE_PATH, "--timeout", "5", "--tls", url, "ls"});
    EXPECT_EQ(untrusted.exitCode, 1);
    EXPECT_THAT(untrusted.err, HasSubstr(ServerCertificateFile().Sha256()));

    CommandResult trusted =
        RunCommand({FERRIX_PROBE_PATH, "--timeout", "5", "--tls", "--trust-fingerprint", lower, url, "ls"});
    EXPECT_EQ(trusted.exitCode, 0) << trusted.err;
    EXPECT_THAT(trusted.out, HasSubstr("probe.txt"));

    CommandResult malformed = RunCommand({FERRIX_PROBE_PATH, "--trust-fingerprint", "AB:CD", url, "ls"});
    EXPECT_EQ(malformed.exitCode, 2);
}

} // namespace

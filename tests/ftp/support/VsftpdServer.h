#pragma once
// Debian's vsftpd, started in the foreground from a config of our own on 127.0.0.1, logging in
// the test account (see TestAccount.h) with its root folder chrooted.

#include "ftp/support/ChildProcess.h"
#include "ftp/support/FtpTestServer.h"
#include "ftp/support/LoopbackPorts.h"
#include "ftp/support/TestAccount.h"

#include <memory>

// Where it listens ("127.0.0.1" or "::1"), and config lines added to the tests' own (TLS).
struct VsftpdSetup {
    std::string address = "127.0.0.1";
    std::string extraConfig;
};

class VsftpdServer : public FtpTestServer {
public:
    // Starts the server and waits until it accepts; throws std::runtime_error with the reason.
    explicit VsftpdServer(const VsftpdSetup& setup = {});
    ~VsftpdServer() override;

    std::string Name() const override { return "vsftpd"; }
    void HandOver(const std::filesystem::path& path) const override;
    // The server's protocol log: every command it received and every reply.
    std::string LogText() const;
    int CountCommands(const std::string& verb, const std::string& path) const override;

private:
    TestAccount m_account;
    TempDir m_work;   // config, log, the empty folder vsftpd's sandbox needs
    PortRange m_passive;
    std::unique_ptr<ChildProcess> m_process;
};

#pragma once
// pyftpdlib (Debian's python3-pyftpdlib) on 127.0.0.1, through the tests' own launcher script:
// a user with every right on Root(), and anonymous read-only on AnonymousRoot().

#include "ftp/support/ChildProcess.h"
#include "ftp/support/FtpTestServer.h"

#include <memory>

// Where it listens ("127.0.0.1" or "::1"); with a certificate, TLS is required for logins and
// data connections.
struct PyftpdlibSetup {
    std::string address = "127.0.0.1";
    std::string certificateFile;
    std::string keyFile;
};

class PyftpdlibServer : public FtpTestServer {
public:
    // Starts the server and waits until it accepts; throws std::runtime_error with the reason.
    explicit PyftpdlibServer(const PyftpdlibSetup& setup = {});
    ~PyftpdlibServer() override;

    std::string Name() const override { return "pyftpdlib"; }
    // The server acts as the test's own user: nothing to hand over.
    void HandOver(const std::filesystem::path&) const override {}
    const std::filesystem::path& AnonymousRoot() const { return m_anonymous.Path(); }
    // Read from the server's log of commands that change or enter folders (MKD, RMD, DELE,
    // RNFR, RNTO, CWD); others are not logged.
    int CountCommands(const std::string& verb, const std::string& path) const override;

private:
    TempDir m_anonymous;
    TempDir m_work;
    std::unique_ptr<ChildProcess> m_process;
};

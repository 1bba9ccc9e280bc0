#pragma once
// What every real FTP server of the tests offers: where it listens, who may log in, and the
// local folder that its "/" shows, so that a test can check on disk what an operation did.

#include "support/TempDir.h"

#include <cstdint>
#include <filesystem>
#include <string>

class FtpTestServer {
public:
    virtual ~FtpTestServer() = default;

    virtual std::string Name() const = 0;
    std::uint16_t Port() const { return m_port; }
    const std::string& User() const { return m_user; }
    const std::string& Password() const { return m_password; }
    // The folder the logged-in user sees as "/".
    const std::filesystem::path& Root() const { return m_root.Path(); }

    // Files and folders arranged by a test, changeable by the logged-in user. `relative` is
    // relative to Root().
    std::filesystem::path WriteFile(const std::string& relative, const std::string& content) const;
    std::filesystem::path MakeDir(const std::string& relative) const;
    std::filesystem::path MakeSymlink(const std::string& relative, const std::string& target) const;
    // Reads a file of the server's disk; throws when it cannot.
    std::string ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

    // Gives a path the test made to the account the server acts for.
    virtual void HandOver(const std::filesystem::path& path) const = 0;

    // How many times the server's own log shows the command `verb` (MKD, DELE, RMD, RNFR, CWD)
    // with exactly the remote path `path` ("/dir/name"), whatever the server answered.
    virtual int CountCommands(const std::string& verb, const std::string& path) const = 0;

protected:
    // Lines of `log` that hold `needle`.
    static int CountLines(const std::string& log, const std::string& needle);

    std::uint16_t m_port = 0;
    std::string m_user;
    std::string m_password;
    TempDir m_root;
};

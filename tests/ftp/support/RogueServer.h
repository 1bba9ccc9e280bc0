#pragma once
// The scripted misbehaving FTP server (scripts/rogue_ftpd.py), one scenario per instance; see
// the script for the scenarios. It logs every command line it receives.

#include "ftp/support/ChildProcess.h"
#include "support/TempDir.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class RogueServer {
public:
    // Starts the script and waits until it accepts; throws std::runtime_error with the reason.
    // `extraArguments` go to the script as they are (--tls-cert FILE --tls-key FILE).
    explicit RogueServer(const std::string& scenario, const std::vector<std::string>& extraArguments = {});

    std::uint16_t Port() const { return m_port; }
    static constexpr const char* kUser = "rogue";
    static constexpr const char* kPassword = "secret";
    // Size and content of every file the server sends (byte i is i % 251).
    static constexpr std::uint64_t kFileSize = 256 * 1024;
    static std::string FileContent();
    // What RETR of a name ending in ".txt" sends: text with CR LF line ends.
    static constexpr const char* kTextOnWire = "line one\r\nline two\r\n";
    // The bytes of the last STOR, as they arrived on the data connection.
    std::string StoredBytes() const;

    // The command lines received so far, each "<session> <line>" with control bytes escaped.
    std::vector<std::string> LogLines() const;
    // How many received lines start with `verb` (any session).
    int CountCommands(const std::string& verb) const;

private:
    TempDir m_work;
    std::uint16_t m_port = 0;
    std::unique_ptr<ChildProcess> m_process;
};

#pragma once
// Counting what a benchmark's client asked of the server during one phase, from vsftpd's own
// protocol log: commands, and the data connections they opened.

#include "ftp/support/FtpTestServer.h"
#include "ftp/support/VsftpdServer.h"

#include <string>

// What the server's log counted during one phase (vsftpd only).
struct ServerCount {
    long commands = -1;
    long dataConnections = -1;
};

class LogCounter {
public:
    explicit LogCounter(const FtpTestServer& server) : m_vsftpd(dynamic_cast<const VsftpdServer*>(&server)) {}
    void Start() { m_offset = m_vsftpd ? m_vsftpd->LogText().size() : 0; }
    ServerCount Count() const
    {
        ServerCount count;
        if (!m_vsftpd)
            return count;
        const std::string log = m_vsftpd->LogText().substr(m_offset);
        count.commands = Occurrences(log, "FTP command:");
        count.dataConnections = 0;
        for (const char* verb : {"\"RETR ", "\"STOR ", "\"LIST", "\"MLSD", "\"NLST"})
            count.dataConnections += Occurrences(log, verb);
        return count;
    }

private:
    static long Occurrences(const std::string& text, const std::string& needle)
    {
        long n = 0;
        for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
            ++n;
        return n;
    }
    const VsftpdServer* m_vsftpd;
    std::size_t m_offset = 0;
};

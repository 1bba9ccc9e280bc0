#pragma once
// RegionConnection: what one region of the window holds of a host: its internet session, its
// FTP connection and the initial remote root directory of the profile it was connected with.
// It owns the session and the connection. Whoever shows the connection (the region's tree)
// borrows it and leaves a way to take it back, which runs before the connection closes,
// however it comes to close: a new connect, a failed one, or the end of the program.

#include "net/FtpSession.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/FtpSecurity.h"

#include <functional>
#include <memory>
#include <string>

struct HostProfile;

class RegionConnection {
public:
    RegionConnection() = default;
    ~RegionConnection();
    RegionConnection(const RegionConnection&) = delete;
    RegionConnection& operator=(const RegionConnection&) = delete;

    CFtpSession* Session() const { return m_session.get(); }
    // Null while the region is not connected.
    CFtpConnection* Connection() const { return m_connection.get(); }
    const std::string& RootDir() const { return m_rootDir; }

    // Closes and deletes the session (the connection must be closed first), then makes a new
    // one for region `regionIndex` with its status notifications on. False when none can be made.
    bool ReplaceSession(int regionIndex);
    // Connects and logs in through the session with `profile` (port 21 when it uses the
    // default port), protected as `security` says, and remembers its initial directory; a
    // plain connection is noted in the session log. Throws CInternetException; the region then
    // has no connection.
    void Open(const HostProfile& profile, const FtpSecurity& security);
    // Records who borrows the connection now; `takeBack` makes it let go (replacing any
    // earlier borrower, who is then told at once).
    void Lend(std::function<void()> takeBack);
    // Takes the connection back from its borrower, closes it, then deletes it.
    void CloseConnection();
    void CloseSession();

private:
    std::unique_ptr<CFtpSession> m_session;
    std::unique_ptr<CFtpConnection> m_connection;
    std::string m_rootDir;
    std::function<void()> m_takeBack;
};

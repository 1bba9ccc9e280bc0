#pragma once
// CInternetSession: the root of the library. Connections, finders and files made through a
// session report their status notifications to its OnStatusCallback, synchronously, inside the
// call that causes them.
//
// Status information: RESOLVING_NAME carries the host name as given, NAME_RESOLVED the first
// address found ("127.0.0.1"), CONNECTING_TO_SERVER and CONNECTED_TO_SERVER the address with
// its port ("127.0.0.1:2121", "[::1]:21"); each is text of the given length, not counting the
// NUL that follows it. REQUEST_SENT and RESPONSE_RECEIVED carry a 32-bit byte count; the
// others carry nothing. The server's greeting is not reported as a response, as no request
// asked for it. Notifications of a finder or a file carry that object's context value, all
// others the session's. Passwords never appear in any of them.

#include "platform/inet/FtpSecurity.h"
#include "platform/inet/InetConstants.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

class CFtpConnection;

class CInternetSession {
public:
    // Throws CInternetException when the session cannot be opened.
    explicit CInternetSession(const char* agent = nullptr, DWORD_PTR context = 1,
                              std::uint32_t accessType = INTERNET_OPEN_TYPE_PRECONFIG,
                              const char* proxyName = nullptr, const char* proxyBypass = nullptr,
                              std::uint32_t flags = 0);
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    // Turns status notifications on or off (off after construction).
    bool EnableStatusCallback(bool enable = true);
    virtual void OnStatusCallback(DWORD_PTR context, std::uint32_t internetStatus,
                                  const void* statusInformation, std::uint32_t statusInformationLength);

    // Connects and logs in; port 0 means 21. The caller owns the result and closes it before
    // the session. Throws CInternetException on failure. `security` chooses plain FTP or
    // explicit FTP over TLS and which certificates are accepted (see FtpSecurity.h); the
    // certificate errors are ERROR_INTERNET_SEC_CERT_ERRORS, a server refusing TLS that is
    // required ERROR_INTERNET_SECURITY_CHANNEL_ERROR.
    CFtpConnection* GetFtpConnection(const std::string& server, const std::string& userName = {},
                                     const std::string& password = {}, std::uint16_t port = 0,
                                     bool passive = false, const FtpSecurity& security = {});

    void Close();
    DWORD_PTR GetContext() const { return m_context; }
    const std::string& GetAgent() const { return m_agent; }
    std::uint32_t GetFlags() const { return m_flags; }

    // Limit of every single network wait (connect, each reply, each data read or write).
    // 30 seconds unless changed; tests shorten it.
    void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    std::chrono::milliseconds GetTimeout() const { return m_timeout; }

    // Delivers one notification if notifications are enabled; used by the library's objects.
    void NotifyStatus(DWORD_PTR context, std::uint32_t status, const void* info, std::uint32_t length);

private:
    std::string m_agent;
    DWORD_PTR m_context;
    std::uint32_t m_flags;
    bool m_callbackEnabled = false;
    std::chrono::milliseconds m_timeout{30000};
};

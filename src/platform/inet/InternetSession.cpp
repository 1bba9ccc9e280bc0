#include "platform/inet/InternetSession.h"

#include "platform/inet/FtpClient.h"
#include "platform/inet/FtpConnection.h"

CInternetSession::CInternetSession(const char* agent, DWORD_PTR context, std::uint32_t /*accessType*/,
                                   const char* /*proxyName*/, const char* /*proxyBypass*/, std::uint32_t flags)
    : m_agent(agent ? agent : "Ferrix FTP"), m_context(context), m_flags(flags)
{
    // No proxy support: FTP goes direct, which is what the preconfigured setting means here.
}

CInternetSession::~CInternetSession() = default;

bool CInternetSession::EnableStatusCallback(bool enable)
{
    m_callbackEnabled = enable;
    return true;
}

void CInternetSession::OnStatusCallback(DWORD_PTR /*context*/, std::uint32_t /*internetStatus*/,
                                        const void* /*statusInformation*/, std::uint32_t /*statusInformationLength*/)
{
}

void CInternetSession::NotifyStatus(DWORD_PTR context, std::uint32_t status, const void* info, std::uint32_t length)
{
    if (m_callbackEnabled)
        OnStatusCallback(context, status, info, length);
}

CFtpConnection* CInternetSession::GetFtpConnection(const std::string& server, const std::string& userName,
                                                   const std::string& password, std::uint16_t port, bool passive,
                                                   const FtpSecurity& security)
{
    FtpServerLogin login;
    login.host = server;
    login.port = port == 0 ? INTERNET_DEFAULT_FTP_PORT : port;
    login.user = userName;
    login.password = password;
    login.passive = passive;
    login.security = security;
    auto client = std::make_unique<FtpClient>(
        std::move(login),
        [this](DWORD_PTR context, std::uint32_t status, const void* info, std::uint32_t length) {
            NotifyStatus(context, status, info, length);
        },
        m_context, [this] { return m_timeout; });
    client->Open();
    return new CFtpConnection(this, std::move(client), server);
}

void CInternetSession::Close()
{
    m_callbackEnabled = false;
}

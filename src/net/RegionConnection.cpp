#include "net/RegionConnection.h"

#include "net/ConnectionSecurity.h"
#include "platform/inet/InternetException.h"
#include "profiles/HostProfile.h"

#include <utility>

RegionConnection::~RegionConnection()
{
    CloseConnection();
    CloseSession();
}

bool RegionConnection::ReplaceSession(int regionIndex)
{
    CloseSession();
    try {
        m_session = std::make_unique<CFtpSession>(CFtpSession::kRegionContextBase + static_cast<DWORD_PTR>(regionIndex));
    } catch (const CInternetException&) {
        return false;
    }
    m_session->EnableStatusCallback(true);
    return true;
}

void RegionConnection::Open(const HostProfile& profile, const FtpSecurity& security)
{
    if (!m_session)
        throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE, "The region has no internet session");
    CloseConnection();
    const std::uint16_t port = profile.useDefaultPort ? 0 : static_cast<std::uint16_t>(profile.port);
    m_connection.reset(m_session->GetFtpConnection(profile.host, profile.user, profile.password, port,
                                                   profile.passive != 0, security));
    LogIfUnencrypted(*m_connection);
    m_rootDir = profile.initialDir;
}

void RegionConnection::Lend(std::function<void()> takeBack)
{
    if (m_takeBack)
        std::exchange(m_takeBack, {})();
    m_takeBack = std::move(takeBack);
}

void RegionConnection::CloseConnection()
{
    if (m_takeBack)
        std::exchange(m_takeBack, {})();
    if (!m_connection)
        return;
    m_connection->Close();
    m_connection.reset();
}

void RegionConnection::CloseSession()
{
    if (!m_session)
        return;
    m_session->Close();
    m_session.reset();
}

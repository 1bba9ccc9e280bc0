#include "profiles/HostProfileSheet.h"

#include "profiles/DirectoryPage.h"
#include "profiles/ProfilePage.h"
#include "profiles/SecurityPage.h"

CHostProfileSheet::CHostProfileSheet(wxWindow* parent, const HostProfile& profile, const std::string& email)
    : CPropertySheet(parent, "Host Profile")
{
    m_pProfile = new Profile(GetBookCtrl(), email);
    m_pProfile->name = profile.name;
    m_pProfile->host = profile.host;
    m_pProfile->user = profile.user;
    m_pProfile->password = profile.password;
    m_pProfile->savePassword = profile.savePassword;
    m_pProfile->anonymous = profile.anonymous;
    m_pProfile->port = profile.port;
    m_pProfile->useDefaultPort = profile.useDefaultPort;
    m_pProfile->passive = profile.passive;
    m_pDirectory = new Directory(GetBookCtrl());
    m_pDirectory->initialDir = profile.initialDir;
    m_pSecurity = new Security(GetBookCtrl());
    m_pSecurity->security = profile.security;
    AddPage(m_pProfile);
    AddPage(m_pDirectory);
    AddPage(m_pSecurity);
    FinishPages();
}

HostProfile CHostProfileSheet::GetProfile() const
{
    HostProfile profile;
    profile.name = m_pProfile->name;
    profile.host = m_pProfile->host;
    profile.user = m_pProfile->user;
    profile.password = m_pProfile->password;
    profile.savePassword = m_pProfile->savePassword;
    profile.anonymous = m_pProfile->anonymous;
    profile.port = m_pProfile->port;
    profile.useDefaultPort = m_pProfile->useDefaultPort;
    profile.passive = m_pProfile->passive;
    profile.initialDir = m_pDirectory->initialDir;
    profile.security = m_pSecurity->security;
    return profile;
}

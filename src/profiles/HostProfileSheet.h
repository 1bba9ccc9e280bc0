#pragma once
// The "Host Profile" sheet: the "General", "Initial Root Directory" and "Security" pages over
// one profile.

#include "profiles/HostProfile.h"
#include "platform/ui/PropertySheet.h"

#include <string>

class Directory;
class Profile;
class Security;

class CHostProfileSheet : public CPropertySheet {
public:
    // The pages start from `profile`; `email` is offered as the anonymous password.
    CHostProfileSheet(wxWindow* parent, const HostProfile& profile, const std::string& email);

    // The pages' values as a profile (meaningful after the sheet closed with OK).
    HostProfile GetProfile() const;

    Profile* GetProfilePage() const { return m_pProfile; }
    Directory* GetDirectoryPage() const { return m_pDirectory; }
    Security* GetSecurityPage() const { return m_pSecurity; }

private:
    Profile* m_pProfile = nullptr;       // pages, owned by the book
    Directory* m_pDirectory = nullptr;
    Security* m_pSecurity = nullptr;
};

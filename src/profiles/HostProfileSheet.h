#pragma once
// The "Host Profile" sheet: the "General" and "Initial Root Directory" pages over one profile.

#include "profiles/HostProfile.h"
#include "platform/ui/PropertySheet.h"

#include <string>

class Directory;
class Profile;

class CHostProfileSheet : public CPropertySheet {
public:
    // The pages start from `profile`; `email` is offered as the anonymous password.
    CHostProfileSheet(wxWindow* parent, const HostProfile& profile, const std::string& email);

    // The pages' values as a profile (meaningful after the sheet closed with OK).
    HostProfile GetProfile() const;

    Profile* GetProfilePage() const { return m_pProfile; }
    Directory* GetDirectoryPage() const { return m_pDirectory; }

private:
    Profile* m_pProfile = nullptr;       // pages, owned by the book
    Directory* m_pDirectory = nullptr;
};

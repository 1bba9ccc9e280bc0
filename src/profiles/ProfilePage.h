#pragma once
// Profile: the "General" page of the "Host Profile" sheet, editing the connection fields of
// one host profile.

#include "platform/ui/PropertyPage.h"

#include <cstdint>
#include <string>

class wxCheckBox;
class wxCommandEvent;
class wxTextCtrl;

class Profile : public CPropertyPage {
public:
    // `email` is the application's e-mail address, offered as the anonymous password.
    Profile(wxWindow* parent, std::string email);

    bool OnKillActive() override;
    void OnOK() override;

    std::int32_t anonymous = 0;
    std::string host;
    std::string password;
    std::string name;
    std::int32_t savePassword = 0;
    std::string user;
    std::int16_t port = 21;
    std::int32_t useDefaultPort = 1;
    std::int32_t passive = 0;

protected:
    void FillControls() override;
    void OnInitPage() override;

private:
    void CreateControls();
    void OnAnonymous(wxCommandEvent& event);
    void OnUseDefault(wxCommandEvent& event);
    void ShowPasswordPlain(bool plain);
    void SetDefaultPortText();

    std::string m_email;
    wxTextCtrl* m_pName = nullptr;   // child windows of the page
    wxTextCtrl* m_pHost = nullptr;
    wxTextCtrl* m_pUser = nullptr;
    wxTextCtrl* m_pPassword = nullptr;
    wxCheckBox* m_pSavePassword = nullptr;
    wxCheckBox* m_pAnonymous = nullptr;
    wxTextCtrl* m_pPort = nullptr;
    wxCheckBox* m_pUseDefaultPort = nullptr;
    wxCheckBox* m_pPassive = nullptr;
};

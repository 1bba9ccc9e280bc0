#include "profiles/ProfilePage.h"

#include "platform/ui/MessageBox.h"
#include "profiles/Defaults.h"
#include "profiles/ProfileDialogIds.h"
#include "profiles/ProfileInput.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <optional>

namespace {
const char* const kNoNameMessage =
    "The profile or change was discarded since there was no profile name had been specified";
const char* const kDefaultPortText = "21";

// Widths of the edits in dialog units, as the page was first drawn.
constexpr int kEditWidth = 99;
constexpr int kPortWidth = 41;

std::string TextOf(const wxTextCtrl* edit)
{
    return edit->GetValue().utf8_string();
}
} // namespace

Profile::Profile(wxWindow* parent, std::string email) : CPropertyPage(parent, "General"), m_email(std::move(email))
{
    CreateControls();
    m_pAnonymous->Bind(wxEVT_CHECKBOX, &Profile::OnAnonymous, this);
    m_pUseDefaultPort->Bind(wxEVT_CHECKBOX, &Profile::OnUseDefault, this);
}

void Profile::CreateControls()
{
    // Created in tab order; the sizers place them.
    const wxSize editSize(ConvertDialogToPixels(wxSize(kEditWidth, -1)).x, -1);
    auto* nameLabel = new wxStaticText(this, wxID_ANY, "Profile Name: ");
    m_pName = new wxTextCtrl(this, IDC_PROFILE_NAME, wxString(), wxDefaultPosition, editSize);
    auto* hostLabel = new wxStaticText(this, wxID_ANY, "Host Name/IP Address: ");
    m_pHost = new wxTextCtrl(this, IDC_HOST, wxString(), wxDefaultPosition, editSize);
    auto* userLabel = new wxStaticText(this, wxID_ANY, "User ID: ");
    m_pUser = new wxTextCtrl(this, IDC_USER, wxString(), wxDefaultPosition, editSize);
    auto* passwordLabel = new wxStaticText(this, wxID_ANY, "Password: ");
    m_pPassword = new wxTextCtrl(this, IDC_PASSWORD, wxString(), wxDefaultPosition, editSize, wxTE_PASSWORD);
    m_pSavePassword = new wxCheckBox(this, IDC_SAVE_PASSWORD, "Save Password");
    m_pAnonymous = new wxCheckBox(this, IDC_ANONYMOUS, "Anonymous");
    auto* portLabel = new wxStaticText(this, wxID_ANY, "FTP Server Port:");
    m_pPort = new wxTextCtrl(this, IDC_PORT, wxString(), wxDefaultPosition,
                             wxSize(ConvertDialogToPixels(wxSize(kPortWidth, -1)).x, -1));
    m_pUseDefaultPort = new wxCheckBox(this, IDC_USE_DEFAULT_PORT, "Use Default");
    m_pPassive = new wxCheckBox(this, IDC_PASSIVE, "Passive Connection");

    auto* fields = new wxFlexGridSizer(2, wxSize(FromDIP(8), FromDIP(6)));
    fields->AddGrowableCol(1);
    const auto addRow = [fields](wxWindow* label, wxWindow* edit) {
        fields->Add(label, wxSizerFlags().CentreVertical());
        fields->Add(edit, wxSizerFlags().Expand());
    };
    addRow(nameLabel, m_pName);
    addRow(hostLabel, m_pHost);
    auto* portRow = new wxBoxSizer(wxHORIZONTAL);
    portRow->Add(m_pPort, wxSizerFlags().CentreVertical());
    portRow->AddSpacer(FromDIP(10));
    portRow->Add(m_pUseDefaultPort, wxSizerFlags().CentreVertical());
    fields->Add(portLabel, wxSizerFlags().CentreVertical());
    fields->Add(portRow);
    addRow(userLabel, m_pUser);
    addRow(passwordLabel, m_pPassword);

    auto* boxes = new wxBoxSizer(wxHORIZONTAL);
    boxes->Add(m_pSavePassword, wxSizerFlags().CentreVertical());
    boxes->AddSpacer(FromDIP(16));
    boxes->Add(m_pAnonymous, wxSizerFlags().CentreVertical());
    boxes->AddSpacer(FromDIP(16));
    boxes->Add(m_pPassive, wxSizerFlags().CentreVertical());

    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(fields, wxSizerFlags().Expand().Border(wxALL, FromDIP(12)));
    page->Add(boxes, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12)));
    SetSizer(page);
}

void Profile::FillControls()
{
    m_pAnonymous->SetValue(anonymous != 0);
    m_pHost->ChangeValue(wxString::FromUTF8(host));
    m_pPassword->ChangeValue(wxString::FromUTF8(password));
    m_pName->ChangeValue(wxString::FromUTF8(name));
    m_pSavePassword->SetValue(savePassword != 0);
    m_pUser->ChangeValue(wxString::FromUTF8(user));
    m_pPort->ChangeValue(wxString::Format("%d", PortNumberOf(port)));
    m_pUseDefaultPort->SetValue(useDefaultPort != 0);
    m_pPassive->SetValue(passive != 0);
}

void Profile::OnInitPage()
{
    if (anonymous) {
        m_pUser->ChangeValue(kAnonymousUser);
        m_pUser->Disable();
        ShowPasswordPlain(true);
        if (password.empty())
            m_pPassword->ChangeValue(wxString::FromUTF8(m_email));
    }
    if (useDefaultPort) {
        SetDefaultPortText();
        m_pPort->Disable();
    }
}

bool Profile::OnKillActive()
{
    const std::optional<std::int16_t> portValue = ParsePortText(TextOf(m_pPort));
    if (!portValue) {
        AfxMessageBox(kPortRangeMessage, wxOK | wxICON_EXCLAMATION);
        m_pPort->SetFocus();
        m_pPort->SelectAll();
        return false;
    }
    for (wxTextCtrl* edit : {m_pName, m_pHost, m_pUser, m_pPassword}) {
        if (HasLineBreak(TrimWhiteSpace(TextOf(edit)))) {
            AfxMessageBox(kLineBreakMessage, wxOK | wxICON_EXCLAMATION);
            edit->SetFocus();
            return false;
        }
    }
    anonymous = m_pAnonymous->GetValue() ? 1 : 0;
    host = TextOf(m_pHost);
    password = TextOf(m_pPassword);
    name = TextOf(m_pName);
    savePassword = m_pSavePassword->GetValue() ? 1 : 0;
    user = TextOf(m_pUser);
    port = *portValue;
    useDefaultPort = m_pUseDefaultPort->GetValue() ? 1 : 0;
    passive = m_pPassive->GetValue() ? 1 : 0;
    return true;
}

void Profile::OnOK()
{
    host = TrimWhiteSpace(host);
    password = TrimWhiteSpace(password);
    user = TrimWhiteSpace(user);
    name = TrimWhiteSpace(name);
    if (name.empty())
        AfxMessageBox(kNoNameMessage, wxOK | wxICON_EXCLAMATION);
}

void Profile::OnAnonymous(wxCommandEvent&)
{
    if (m_pAnonymous->GetValue()) {
        m_pUser->ChangeValue(kAnonymousUser);
        m_pUser->Disable();
        ShowPasswordPlain(true);
        m_pPassword->ChangeValue(wxString::FromUTF8(m_email));
        return;
    }
    m_pUser->Enable();
    if (m_pPassword->HasFlag(wxTE_PASSWORD))
        return;
    ShowPasswordPlain(false);
    m_pPassword->ChangeValue(wxString::FromUTF8(password));
}

void Profile::OnUseDefault(wxCommandEvent&)
{
    const bool useDefault = m_pUseDefaultPort->GetValue();
    if (useDefault)
        SetDefaultPortText();
    m_pPort->Enable(!useDefault);
}

void Profile::ShowPasswordPlain(bool plain)
{
    // wxGTK switches the entry's visibility when the style flag changes.
    const long style = m_pPassword->GetWindowStyleFlag();
    m_pPassword->SetWindowStyleFlag(plain ? style & ~wxTE_PASSWORD : style | wxTE_PASSWORD);
    m_pPassword->Refresh();
}

void Profile::SetDefaultPortText()
{
    m_pPort->ChangeValue(kDefaultPortText);
}

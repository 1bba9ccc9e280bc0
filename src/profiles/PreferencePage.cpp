#include "profiles/PreferencePage.h"

#include "platform/ui/MessageBox.h"
#include "profiles/Defaults.h"
#include "profiles/ProfileDialogIds.h"
#include "profiles/ProfileInput.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {
// Width of the edit in dialog units, as the page was first drawn.
constexpr int kEditWidth = 172;
} // namespace

Preference::Preference(wxWindow* parent) : CPropertyPage(parent, "Email")
{
    auto* label = new wxStaticText(this, wxID_ANY, "Your Email Address:");
    m_pEmail = new wxTextCtrl(this, IDC_EMAIL, wxString(), wxDefaultPosition,
                              wxSize(ConvertDialogToPixels(wxSize(kEditWidth, -1)).x, -1));

    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(label, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(12)));
    page->AddSpacer(FromDIP(6));
    page->Add(m_pEmail, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12)));
    SetSizer(page);
}

void Preference::FillControls()
{
    // Offered until the user has an address of their own; OK then stores it.
    if (email.empty())
        email = kDefaultEmail;
    m_pEmail->ChangeValue(wxString::FromUTF8(email));
}

bool Preference::OnKillActive()
{
    const std::string text = m_pEmail->GetValue().utf8_string();
    if (HasLineBreak(text)) {
        AfxMessageBox(kLineBreakMessage, wxOK | wxICON_EXCLAMATION);
        m_pEmail->SetFocus();
        return false;
    }
    email = text;
    return true;
}

#include "profiles/DirectoryPage.h"

#include "platform/ui/MessageBox.h"
#include "profiles/ProfileDialogIds.h"
#include "profiles/ProfileInput.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {
const char* const kNote =
    "Please note the initial directory started with forward slash. Leave it blank if your not "
    "targeting a particular directory. e.g [/bussys/Clients] for Microsoft site";

// Width of the edit and of the note in dialog units, as the page was first drawn.
constexpr int kFieldWidth = 158;
} // namespace

Directory::Directory(wxWindow* parent) : CPropertyPage(parent, "Initial Root Directory")
{
    const int width = ConvertDialogToPixels(wxSize(kFieldWidth, -1)).x;
    auto* label = new wxStaticText(this, wxID_ANY, "Initial Remote Root Directory:");
    m_pInitialDir = new wxTextCtrl(this, IDC_INITIAL_DIR, wxString(), wxDefaultPosition, wxSize(width, -1));
    auto* note = new wxStaticText(this, wxID_ANY, kNote);
    note->Wrap(width);

    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(label, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(12)));
    page->AddSpacer(FromDIP(6));
    page->Add(m_pInitialDir, wxSizerFlags().Border(wxLEFT | wxRIGHT, FromDIP(24)));
    page->AddSpacer(FromDIP(16));
    page->Add(note, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(24)));
    SetSizer(page);
}

void Directory::FillControls()
{
    m_pInitialDir->ChangeValue(wxString::FromUTF8(initialDir));
}

bool Directory::OnKillActive()
{
    const std::string text = m_pInitialDir->GetValue().utf8_string();
    if (HasLineBreak(TrimWhiteSpace(text))) {
        AfxMessageBox(kLineBreakMessage, wxOK | wxICON_EXCLAMATION);
        m_pInitialDir->SetFocus();
        return false;
    }
    initialDir = text;
    return true;
}

void Directory::OnOK()
{
    initialDir = TrimWhiteSpace(initialDir);
}

#include "profiles/FtpcontypePage.h"

#include "profiles/ProfileDialogIds.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

Ftpcontype::Ftpcontype(wxWindow* parent) : CPropertyPage(parent, "FTP Connection Type")
{
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Machine Orientation");
    wxStaticBox* frame = box->GetStaticBox();
    auto* localRemote = new wxRadioButton(frame, IDC_LOCAL_REMOTE, "Local - Remote", wxDefaultPosition,
                                          wxDefaultSize, wxRB_GROUP);
    auto* remoteRemote = new wxRadioButton(frame, IDC_REMOTE_REMOTE, "Remote - Remote");
    m_pGroup = std::make_unique<RadioGroup>(frame, std::initializer_list<wxRadioButton*>{localRemote, remoteRemote});

    box->Add(localRemote, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(8)));
    box->AddSpacer(FromDIP(4));
    box->Add(remoteRemote, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8)));
    box->SetMinSize(ConvertDialogToPixels(wxSize(181, -1)).x, -1);

    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(box, wxSizerFlags().Expand().Border(wxALL, FromDIP(12)));
    SetSizer(page);
}

Ftpcontype::~Ftpcontype() = default;

void Ftpcontype::FillControls()
{
    m_pGroup->SetIndex(connectionType);
}

bool Ftpcontype::OnKillActive()
{
    connectionType = m_pGroup->GetIndex();
    return true;
}

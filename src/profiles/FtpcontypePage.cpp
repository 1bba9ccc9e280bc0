#include "profiles/FtpcontypePage.h"

#include "profiles/ProfileDialogIds.h"

#include <wx/sizer.h>

Ftpcontype::Ftpcontype(wxWindow* parent) : CPropertyPage(parent, "FTP Connection Type")
{
    FramedRadioGroup orientation = MakeFramedRadioGroup(
        this, "Machine Orientation", {{IDC_LOCAL_REMOTE, "Local - Remote"}, {IDC_REMOTE_REMOTE, "Remote - Remote"}});
    wxStaticBoxSizer* box = orientation.sizer;
    m_pGroup = std::move(orientation.group);
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

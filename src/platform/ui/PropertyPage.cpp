#include "platform/ui/PropertyPage.h"

CPropertyPage::CPropertyPage(wxWindow* parent, const wxString& caption)
    : wxPanel(parent, wxID_ANY), m_caption(caption)
{
}

void CPropertyPage::Activate()
{
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    FillControls();
    OnInitPage();
}

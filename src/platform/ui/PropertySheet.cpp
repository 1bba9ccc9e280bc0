#include "platform/ui/PropertySheet.h"

#include "platform/ui/PropertyPage.h"

CPropertySheet::CPropertySheet(wxWindow* parent, const wxString& caption)
{
    Create(parent, wxID_ANY, caption);
    CreateButtons(wxOK | wxCANCEL);
    Bind(wxEVT_INIT_DIALOG, &CPropertySheet::OnInitDialog, this);
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &CPropertySheet::OnPageChanging, this);
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &CPropertySheet::OnPageChanged, this);
    Bind(wxEVT_BUTTON, &CPropertySheet::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CPropertySheet::OnCancel, this, wxID_CANCEL);
}

CPropertySheet::~CPropertySheet()
{
    // The book outlives this part of the sheet and switches pages while it deletes them.
    GetBookCtrl()->Unbind(wxEVT_BOOKCTRL_PAGE_CHANGING, &CPropertySheet::OnPageChanging, this);
    GetBookCtrl()->Unbind(wxEVT_BOOKCTRL_PAGE_CHANGED, &CPropertySheet::OnPageChanged, this);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    GetBookCtrl()->AddPage(page, page->GetCaption());
}

void CPropertySheet::FinishPages()
{
    LayoutDialog();
    Centre();
}

void CPropertySheet::SetActivePage(int index)
{
    if (index >= 0 && index < GetPageCount())
        GetBookCtrl()->ChangeSelection(static_cast<std::size_t>(index));
}

int CPropertySheet::GetActiveIndex() const
{
    return GetBookCtrl()->GetSelection();
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(GetBookCtrl()->GetPageCount());
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return static_cast<CPropertyPage*>(GetBookCtrl()->GetPage(static_cast<std::size_t>(index)));
}

void CPropertySheet::OnInitDialog(wxInitDialogEvent& event)
{
    m_bOpened = true;
    if (CPropertyPage* page = GetPage(GetActiveIndex()))
        page->Activate();
    // Centred again once shown, with the pages at their final size, over the window it belongs
    // to; a window manager may have placed it by its own rules meanwhile.
    CallAfter([this] {
        if (IsShown())
            CentreOnParent();
    });
    event.Skip();
}

void CPropertySheet::OnPageChanging(wxBookCtrlEvent& event)
{
    // The book also switches while pages are being added; only a page the user has seen has
    // anything to read back.
    CPropertyPage* page = GetPage(event.GetOldSelection());
    if (m_bOpened && page && page->IsInitialised() && !page->OnKillActive())
        event.Veto();
}

void CPropertySheet::OnPageChanged(wxBookCtrlEvent& event)
{
    if (!m_bOpened)
        return;
    if (CPropertyPage* page = GetPage(event.GetSelection()))
        page->Activate();
}

void CPropertySheet::OnOK(wxCommandEvent&)
{
    CPropertyPage* active = GetPage(GetActiveIndex());
    if (active && active->IsInitialised() && !active->OnKillActive())
        return;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (CPropertyPage* page = GetPage(i); page->IsInitialised())
            page->OnOK();
    }
    EndSheet(wxID_OK);
}

void CPropertySheet::OnCancel(wxCommandEvent&)
{
    EndSheet(wxID_CANCEL);
}

void CPropertySheet::EndSheet(int code)
{
    OnClosing();
    m_bOpened = false;
    SetReturnCode(code);
    // Tests drive the sheet without a modal loop; then closing only hides it.
    if (IsModal())
        EndModal(code);
    else
        Hide();
}

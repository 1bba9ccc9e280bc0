#include "platform/ui/Sheet.h"

CSheet::CSheet(wxWindow* parent, const wxString& caption) : CPropertySheet(parent, caption)
{
}

void CSheet::OnClosing()
{
    lastActivePage = GetActiveIndex();
}

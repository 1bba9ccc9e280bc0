#include "platform/ui/MessageBox.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>

namespace {
MessageBoxAnswerer& CurrentAnswerer()
{
    static MessageBoxAnswerer answerer;
    return answerer;
}

wxString ProductTitle()
{
    return wxTheApp ? wxTheApp->GetAppDisplayName() : wxString("Ferrix FTP");
}
} // namespace

int AfxMessageBox(const std::string& text, long style)
{
    if ((style & (wxYES_NO | wxCANCEL | wxOK)) == 0)
        style |= wxOK;
    if (auto& answerer = CurrentAnswerer())
        return answerer(text, style);
    // The generic dialog is a real wxDialog, so a stop of the program can cancel it like any
    // other modal dialog.
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxGenericMessageDialog dialog(parent, wxString::FromUTF8(text), ProductTitle(), style);
    switch (dialog.ShowModal()) {
    case wxID_YES: return wxYES;
    case wxID_NO: return wxNO;
    case wxID_CANCEL: return wxCANCEL;
    default: return wxOK;
    }
}

ScopedMessageBoxAnswerer::ScopedMessageBoxAnswerer(MessageBoxAnswerer answerer)
    : m_previous(std::move(CurrentAnswerer()))
{
    CurrentAnswerer() = std::move(answerer);
}

ScopedMessageBoxAnswerer::~ScopedMessageBoxAnswerer()
{
    CurrentAnswerer() = std::move(m_previous);
}

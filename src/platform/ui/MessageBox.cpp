#include "platform/ui/MessageBox.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

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
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    return wxMessageBox(wxString::FromUTF8(text), ProductTitle(), style, parent);
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

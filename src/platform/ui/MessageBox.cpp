#include "platform/ui/MessageBox.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
#include <wx/toplevel.h>

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

wxWindow* MessageBoxParent()
{
    // A modal dialog opened later than another is the one on top of it: the newest shown modal
    // dialog is what the user is looking at. A box parented to the frame beneath it would be
    // stacked under that dialog by the window manager, and the program would look hung.
    for (auto node = wxTopLevelWindows.GetLast(); node; node = node->GetPrevious()) {
        auto* dialog = dynamic_cast<wxDialog*>(node->GetData());
        if (dialog && dialog->IsModal() && dialog->IsShown() && !dialog->IsBeingDeleted())
            return dialog;
    }
    if (wxWindow* active = wxGetActiveWindow()) {
        wxWindow* topLevel = wxGetTopLevelParent(active);
        if (topLevel && topLevel->IsShown() && !topLevel->IsBeingDeleted())
            return topLevel;
    }
    wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    return top && top->IsShown() && !top->IsBeingDeleted() ? top : nullptr;
}

int AfxMessageBox(const std::string& text, long style)
{
    if ((style & (wxYES_NO | wxCANCEL | wxOK)) == 0)
        style |= wxOK;
    if (auto& answerer = CurrentAnswerer())
        return answerer(text, style);
    // The generic dialog is a real wxDialog, so a stop of the program can cancel it like any
    // other modal dialog; it centres itself on its parent.
    wxGenericMessageDialog dialog(MessageBoxParent(), wxString::FromUTF8(text), ProductTitle(), style | wxCENTRE);
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

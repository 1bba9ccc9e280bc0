#include "browser/PaneHost.h"

#include <wx/frame.h>

void IPaneHost::ShowStatusText(const std::string& text)
{
    constexpr int kMessagePane = 0;
    auto* frame = dynamic_cast<wxFrame*>(this);
    if (frame != nullptr && frame->GetStatusBar() != nullptr)
        frame->SetStatusText(wxString::FromUTF8(text), kMessagePane);
}

wxCursor IPaneHost::GetDragCursor(bool overPane) const
{
    return wxCursor(overPane ? wxCURSOR_ARROW : wxCURSOR_NO_ENTRY);
}

#include "support/Commands.h"

#include <wx/event.h>
#include <wx/window.h>

void SendCommand(wxWindow& window, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

namespace {
wxUpdateUIEvent AskRule(wxWindow& window, int id)
{
    wxUpdateUIEvent event(id);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
    return event;
}
} // namespace

bool CommandEnabled(wxWindow& window, int id)
{
    const wxUpdateUIEvent event = AskRule(window, id);
    return !event.GetSetEnabled() || event.GetEnabled();
}

bool CommandChecked(wxWindow& window, int id)
{
    const wxUpdateUIEvent event = AskRule(window, id);
    return event.GetSetChecked() && event.GetChecked();
}

#include "app/NetworkWaitGuard.h"

#include "platform/inet/SocketWait.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/statusbr.h>

namespace {
constexpr int kStopButtonMargin = 1;
} // namespace

CNetworkWaitGuard::CNetworkWaitGuard(std::function<wxFrame*()> frame) : m_frame(std::move(frame))
{
    wxEvtHandler::AddFilter(this);
    SetWaitObserver([this](std::chrono::milliseconds waited) { return OnWait(waited); });
}

CNetworkWaitGuard::~CNetworkWaitGuard()
{
    SetWaitObserver({});
    wxEvtHandler::RemoveFilter(this);
    if (m_stopButton)
        m_stopButton->Destroy();
}

bool CNetworkWaitGuard::OnWait(std::chrono::milliseconds waited)
{
    if (m_stopRequested)
        return false;
    // A wait inside the pump (a timer's work, say) is not pumped again.
    if (m_pumping || waited < kHoldOffDelay)
        return true;
    if (!m_holding)
        BeginHolding();
    m_pumping = true;
    wxTheApp->Yield(true);
    m_pumping = false;
    return !m_stopRequested;
}

void CNetworkWaitGuard::BeginHolding()
{
    m_holding = true;
    wxFrame* frame = m_frame();
    wxStatusBar* bar = frame ? frame->GetStatusBar() : nullptr;
    if (!bar || !bar->IsShown())
        return;   // Escape still stops
    wxRect field;
    bar->GetFieldRect(0, field);
    auto* button = new wxButton(bar, wxID_ANY, "Stop", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT, wxDefaultValidator,
                                kStopButtonName);
    const wxSize size(button->GetBestSize().x, field.height - 2 * kStopButtonMargin);
    button->SetSize(field.GetRight() - size.x - kStopButtonMargin, field.y + kStopButtonMargin, size.x, size.y);
    button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_stopRequested = true; });
    m_stopButton = button;
}

void CNetworkWaitGuard::EndHolding()
{
    m_holding = false;
    m_stopRequested = false;
    if (m_stopButton)
        m_stopButton->Destroy();
    if (m_closeDeferred) {
        m_closeDeferred = false;
        if (wxFrame* frame = m_frame())
            frame->Close();
    }
}

bool CNetworkWaitGuard::IsStopButtonEvent(const wxEvent& event) const
{
    return m_stopButton && event.GetEventObject() == m_stopButton.get();
}

int CNetworkWaitGuard::FilterEvent(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (!m_pumping) {
        // The first idle time after a long wait means the library call has returned.
        if (m_holding && type == wxEVT_IDLE)
            EndHolding();
        return Event_Skip;
    }
    if (type == wxEVT_CHAR_HOOK || type == wxEVT_KEY_DOWN) {
        if (static_cast<wxKeyEvent&>(event).GetKeyCode() == WXK_ESCAPE)
            m_stopRequested = true;
        return Event_Processed;
    }
    if (type == wxEVT_CLOSE_WINDOW) {
        if (event.GetEventObject() == m_frame()) {
            m_stopRequested = true;
            m_closeDeferred = true;
        }
        return Event_Processed;
    }
    if (IsStopButtonEvent(event))
        return Event_Skip;
    const bool input = event.IsKindOf(wxCLASSINFO(wxMouseEvent)) || event.IsKindOf(wxCLASSINFO(wxKeyEvent))
                       || type == wxEVT_MENU || type == wxEVT_CONTEXT_MENU || type == wxEVT_BUTTON;
    return input ? Event_Processed : Event_Skip;
}

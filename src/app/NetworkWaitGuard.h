#pragma once
// CNetworkWaitGuard keeps the window alive while the FTP library waits on the network. The
// library calls it between short slices of every wait; once a wait has lasted kHoldOffDelay it
// pumps the window's events, so the window keeps painting, while it holds off every other
// input: no command, click or key reaches the program in the middle of a library call. Escape
// or the Stop button it puts on the status bar abandons the wait; the library call then fails
// with "Stopped by the user". Closing the window during a wait stops the wait first and closes
// the window once the call has returned.

#include <wx/button.h>
#include <wx/eventfilter.h>
#include <wx/weakref.h>

#include <chrono>
#include <functional>

class wxFrame;

class CNetworkWaitGuard : public wxEventFilter {
public:
    static constexpr std::chrono::milliseconds kHoldOffDelay{200};
    static constexpr const char* kStopButtonName = "stopButton";

    // `frame` gives the main window, or null once it is gone.
    explicit CNetworkWaitGuard(std::function<wxFrame*()> frame);
    ~CNetworkWaitGuard() override;
    CNetworkWaitGuard(const CNetworkWaitGuard&) = delete;
    CNetworkWaitGuard& operator=(const CNetworkWaitGuard&) = delete;

    int FilterEvent(wxEvent& event) override;

private:
    bool OnWait(std::chrono::milliseconds waited);
    void BeginHolding();
    void EndHolding();
    bool IsStopButtonEvent(const wxEvent& event) const;

    std::function<wxFrame*()> m_frame;
    bool m_holding = false;      // from the first long wait until the program is idle again
    bool m_pumping = false;      // inside OnWait's event pump
    bool m_stopRequested = false;
    bool m_closeDeferred = false;
    wxWeakRef<wxButton> m_stopButton;
};

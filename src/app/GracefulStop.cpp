// SIGTERM and SIGINT close the main window the normal way, so that the control-bar state and
// the profiles are saved, also while a modal dialog is open: the dialog is cancelled first.

#include "app/NorvoApp.h"

#include "app/MainFrame.h"
#include "app/SplashWnd.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <csignal>
#include <set>

namespace {
constexpr int kStopPollIntervalMs = 200;

volatile std::sig_atomic_t g_stopRequested = 0;

void OnStopSignal(int)
{
    g_stopRequested = 1;
}

// Keeps track of the modal dialogs that are open, and refuses new ones once a stop has been
// asked for.
class ModalDialogTracker : public wxModalDialogHook {
public:
    std::set<wxDialog*> open;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (g_stopRequested)
            return wxID_CANCEL;
        open.insert(dialog);
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override { open.erase(dialog); }
};

ModalDialogTracker& Tracker()
{
    static ModalDialogTracker tracker;
    return tracker;
}
} // namespace

void CNorvoApp::InstallStopSignals()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    Tracker().Register();
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void CNorvoApp::StartStopWatch()
{
    m_stopTimer.Start(kStopPollIntervalMs);
}

void CNorvoApp::OnStopTimer(wxTimerEvent&)
{
    if (!g_stopRequested)
        return;
    for (wxDialog* dialog : Tracker().open) {
        if (dialog->IsModal())
            dialog->EndModal(wxID_CANCEL);
    }
    if (!Tracker().open.empty())
        return;   // the next tick closes the frame, once the dialogs' loops have ended
    if (CSplashWnd::GetSplash()) {
        // Start-up waits for the splash with the frame in hand: it goes on first.
        CSplashWnd::HideSplash();
        return;
    }
    m_stopTimer.Stop();
    if (m_pMainFrame)
        m_pMainFrame->Close();
}

#pragma once
// CSplashWnd: the program's picture over the main window while it starts. It goes after
// kSplashDuration, or at the first key press or mouse button press anywhere in the program,
// and that press does nothing else. Shown at most once per run, and never when the command
// line asked for none ("Embedding", "Automation").

#include <wx/bitmap.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <chrono>

class wxEvent;
class wxEventLoop;

class CSplashWnd : public wxFrame {
public:
    static constexpr std::chrono::milliseconds kSplashDuration{10000};

    // Set once at start-up from the command line, before the main window exists.
    static void SetSplashEnabled(bool enabled);
    // Shows the splash centred over `owner`, unless it is off or one was already shown this run.
    static void ShowSplash(wxWindow* owner);
    // Takes the splash away and repaints its owner at once.
    static void HideSplash();
    // Called for every event before it is handled: a key press or mouse button press while the
    // splash is up hides it, and the result true says the event is consumed, as are the release
    // and the double click that belong to it.
    static bool SplashFilterMessage(const wxEvent& event);
    // The splash window, null when none is up.
    static CSplashWnd* GetSplash();
    // Blocks in the event loop until the splash has gone; returns at once when none is up.
    static void WaitForSplash();

    // For tests: how long the next splash stays up without input, and whether a new one may be
    // shown in this run.
    static void SetDurationForTesting(std::chrono::milliseconds duration);
    static void AllowAnotherForTesting();

    ~CSplashWnd() override;

private:
    CSplashWnd(wxWindow* owner, const wxBitmap& picture);

    // Centres the splash over its owner and puts it on the screen.
    void Present();
    void OnOwnerShown(wxShowEvent& event);
    void OnOwnerMoved(wxEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnTimer(wxTimerEvent& event);

    wxBitmap m_bitmap;
    wxTimer m_timer;
    wxWindow* m_owner;

    wxDECLARE_EVENT_TABLE();
};

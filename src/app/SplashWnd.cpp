#include "app/SplashWnd.h"

#include "app/ProgramIcons.h"

#include <wx/dcclient.h>
#include <wx/evtloop.h>

wxBEGIN_EVENT_TABLE(CSplashWnd, wxFrame)
    EVT_PAINT(CSplashWnd::OnPaint)
    EVT_TIMER(wxID_ANY, CSplashWnd::OnTimer)
wxEND_EVENT_TABLE()

namespace {
const char* const kSplashPicture = "images/splash.png";
const char* const kSplashWindowName = "splash";
// Never drawn (the window has no title bar); window lists and task switchers show it.
const char* const kSplashTitle = "Ferrix FTP";

bool g_splashEnabled = true;
bool g_splashShown = false;   // this run has had its splash
CSplashWnd* g_splash = nullptr;
std::chrono::milliseconds g_duration = CSplashWnd::kSplashDuration;
// The event loop that WaitForSplash blocks in, while it does.
wxEventLoop* g_waitLoop = nullptr;

void EndWait()
{
    if (g_waitLoop) {
        g_waitLoop->ScheduleExit();
        g_waitLoop = nullptr;
    }
}

// The mouse buttons' events: press, second press of a double click, release.
struct ButtonEvents {
    wxEventType press, doubleClick, release;
};
const ButtonEvents kButtons[] = {
    {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP},
    {wxEVT_RIGHT_DOWN, wxEVT_RIGHT_DCLICK, wxEVT_RIGHT_UP},
    {wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_DCLICK, wxEVT_MIDDLE_UP},
    {wxEVT_AUX1_DOWN, wxEVT_AUX1_DCLICK, wxEVT_AUX1_UP},
    {wxEVT_AUX2_DOWN, wxEVT_AUX2_DCLICK, wxEVT_AUX2_UP},
};

// The release that belongs to a press, or wxEVT_NULL for an event that is no press. A key's
// first event is its char hook (then its key down, unless the hook was consumed).
wxEventType ReleaseOf(wxEventType type)
{
    if (type == wxEVT_KEY_DOWN || type == wxEVT_CHAR_HOOK)
        return wxEVT_KEY_UP;
    for (const ButtonEvents& button : kButtons)
        if (type == button.press || type == button.doubleClick)
            return button.release;
    return wxEVT_NULL;
}

// The second press of a double click that starts with `type`; wxEVT_NULL for keys.
wxEventType DoubleClickOf(wxEventType type)
{
    for (const ButtonEvents& button : kButtons)
        if (type == button.press)
            return button.doubleClick;
    return wxEVT_NULL;
}

// What is left of the press that took the splash away: its release, and the second press of a
// double click on the splash with its own release. They reach whatever lay under the splash,
// where they would act (a right button release opens a tree's context menu, a double click
// opens a folder).
struct Leftover {
    wxEventType release = wxEVT_NULL;
    wxEventType doubleClick = wxEVT_NULL;
};
Leftover g_leftover;

bool SwallowLeftover(wxEventType type, wxEventType release)
{
    if (g_leftover.release == wxEVT_NULL && g_leftover.doubleClick == wxEVT_NULL)
        return false;
    if (type == g_leftover.release) {
        g_leftover.release = wxEVT_NULL;
        return true;
    }
    if (type == g_leftover.doubleClick) {
        g_leftover = {release, wxEVT_NULL};
        return true;
    }
    // The rest of the same key stroke, auto-repeat included, until the key comes up.
    if (g_leftover.release == wxEVT_KEY_UP && (release == wxEVT_KEY_UP || type == wxEVT_CHAR))
        return true;
    if (release != wxEVT_NULL)
        g_leftover = {};   // a new press: what follows is the user's again
    return false;
}
} // namespace

void CSplashWnd::SetSplashEnabled(bool enabled)
{
    g_splashEnabled = enabled;
}

void CSplashWnd::ShowSplash(wxWindow* owner)
{
    if (!g_splashEnabled || g_splashShown || g_splash)
        return;
    const wxImage picture = LoadResourceImage(kSplashPicture);
    if (!picture.IsOk())
        return;   // no picture, no splash: start-up goes on without waiting
    g_splashShown = true;
    g_splash = new CSplashWnd(owner, wxBitmap(picture));
    // A window manager stacks a window mapped after the splash above it, even its owner: an
    // owner that is not on the screen yet gets the splash when it comes.
    if (owner && !owner->IsShown())
        owner->Bind(wxEVT_SHOW, &CSplashWnd::OnOwnerShown, g_splash);
    else
        g_splash->Present();
}

void CSplashWnd::OnOwnerShown(wxShowEvent& event)
{
    event.Skip();
    if (!event.IsShown())
        return;
    m_owner->Unbind(wxEVT_SHOW, &CSplashWnd::OnOwnerShown, this);
    Present();
}

void CSplashWnd::OnOwnerMoved(wxEvent& event)
{
    // The window manager places the owner only once it is on the screen.
    event.Skip();
    CentreOnParent();
}

void CSplashWnd::Present()
{
    if (m_owner)
        CentreOnParent();
    else
        Centre();
    Show();
    Raise();
    Update();
}

CSplashWnd::CSplashWnd(wxWindow* owner, const wxBitmap& picture)
    : wxFrame(owner, wxID_ANY, kSplashTitle, wxDefaultPosition, picture.GetSize(),
              // GTK sizes a window that cannot be resized by what its contents request, which is
              // nothing here; the size hints below keep it at the picture's size all the same.
              wxBORDER_NONE | wxRESIZE_BORDER | wxFRAME_NO_TASKBAR | (owner ? wxFRAME_FLOAT_ON_PARENT : wxSTAY_ON_TOP),
              kSplashWindowName),
      m_bitmap(picture),
      m_timer(this),
      m_owner(owner)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetClientSize(m_bitmap.GetSize());
    SetSizeHints(GetSize(), GetSize());
    if (owner) {
        owner->Bind(wxEVT_MOVE, &CSplashWnd::OnOwnerMoved, this);
        owner->Bind(wxEVT_SIZE, &CSplashWnd::OnOwnerMoved, this);
    }
    m_timer.StartOnce(static_cast<int>(g_duration.count()));
}

CSplashWnd::~CSplashWnd()
{
    if (m_owner && !m_owner->IsBeingDeleted()) {
        m_owner->Unbind(wxEVT_SHOW, &CSplashWnd::OnOwnerShown, this);
        m_owner->Unbind(wxEVT_MOVE, &CSplashWnd::OnOwnerMoved, this);
        m_owner->Unbind(wxEVT_SIZE, &CSplashWnd::OnOwnerMoved, this);
    }
    if (g_splash == this) {
        g_splash = nullptr;
        EndWait();
    }
}

void CSplashWnd::HideSplash()
{
    CSplashWnd* splash = g_splash;
    if (!splash)
        return;
    // The window goes at the next idle time; for everyone else it is gone now.
    g_splash = nullptr;
    splash->m_timer.Stop();
    splash->Hide();
    wxWindow* owner = splash->m_owner;
    splash->Destroy();
    if (owner) {
        owner->Refresh();
        owner->Update();
    }
    EndWait();
}

bool CSplashWnd::SplashFilterMessage(const wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    const wxEventType release = ReleaseOf(type);
    if (!g_splash)
        return SwallowLeftover(type, release);
    if (release == wxEVT_NULL)
        return false;
    g_leftover = {release, DoubleClickOf(type)};
    HideSplash();
    return true;
}

CSplashWnd* CSplashWnd::GetSplash()
{
    return g_splash;
}

void CSplashWnd::WaitForSplash()
{
    // One wait at a time: a second one could only start from a command, and every key or button
    // press that gives a command takes the splash away first.
    if (!g_splash || g_waitLoop)
        return;
    // The splash's timer and the user's first press end the loop; until then the thread sleeps
    // in the toolkit's main loop.
    wxEventLoop loop;
    g_waitLoop = &loop;
    loop.Run();
    g_waitLoop = nullptr;
}

void CSplashWnd::SetDurationForTesting(std::chrono::milliseconds duration)
{
    g_duration = duration;
}

void CSplashWnd::AllowAnotherForTesting()
{
    g_splashShown = false;
}

void CSplashWnd::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.DrawBitmap(m_bitmap, 0, 0, false);
}

void CSplashWnd::OnTimer(wxTimerEvent&)
{
    HideSplash();
}

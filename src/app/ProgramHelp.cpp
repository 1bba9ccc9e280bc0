#include "app/ProgramHelp.h"

#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "platform/ui/MessageBox.h"
#include "res/ResourceFiles.h"

#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include <memory>

namespace {
const char* const kHelpBook = "help/ferrix-ftp.hhp";
const char* const kContentsPage = "index.html";

const char* const kGuideMissing = "The help files of Ferrix FTP cannot be found; reinstalling the program restores them.";

std::unique_ptr<wxHtmlHelpController> g_help;

void OnOwnerClose(wxCloseEvent& event)
{
    // The viewer's window is a child of the main window; closing it first lets the viewer
    // forget it, so that nothing refers to a destroyed window afterwards.
    if (g_help) {
        g_help->Quit();
        g_help.reset();
    }
    if (auto* frame = dynamic_cast<wxWindow*>(event.GetEventObject()))
        frame->Unbind(wxEVT_CLOSE_WINDOW, &OnOwnerClose);
    event.Skip();
}

// The viewer with the guide loaded, or null when the guide cannot be found.
wxHtmlHelpController* Help(wxWindow* mainFrame)
{
    if (g_help)
        return g_help.get();
    const std::string book = FindResourceFile(kHelpBook);
    if (book.empty())
        return nullptr;
    auto help = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, mainFrame);
    help->SetTitleFormat("Ferrix FTP Help: %s");
    if (!help->AddBook(wxFileName(wxString::FromUTF8(book)), false))
        return nullptr;
    g_help = std::move(help);
    if (mainFrame)
        mainFrame->Bind(wxEVT_CLOSE_WINDOW, &OnOwnerClose);
    return g_help.get();
}

void ReportMissingGuide()
{
    AfxMessageBox(kGuideMissing, wxOK | wxICON_EXCLAMATION);
}

// The click that ends context help: the frame holds the mouse capture until then.
class ContextHelpMode : public wxEvtHandler {
public:
    explicit ContextHelpMode(wxWindow* frame) : m_frame(frame)
    {
        m_frame->Bind(wxEVT_LEFT_DOWN, &ContextHelpMode::OnLeftDown, this);
        m_frame->Bind(wxEVT_RIGHT_DOWN, &ContextHelpMode::OnCancel, this);
        m_frame->Bind(wxEVT_CHAR_HOOK, &ContextHelpMode::OnKey, this);
        m_frame->Bind(wxEVT_MOUSE_CAPTURE_LOST, &ContextHelpMode::OnCaptureLost, this);
        m_frame->SetCursor(wxCursor(wxCURSOR_QUESTION_ARROW));
        m_frame->CaptureMouse();
    }

    ~ContextHelpMode() override
    {
        m_frame->Unbind(wxEVT_LEFT_DOWN, &ContextHelpMode::OnLeftDown, this);
        m_frame->Unbind(wxEVT_RIGHT_DOWN, &ContextHelpMode::OnCancel, this);
        m_frame->Unbind(wxEVT_CHAR_HOOK, &ContextHelpMode::OnKey, this);
        m_frame->Unbind(wxEVT_MOUSE_CAPTURE_LOST, &ContextHelpMode::OnCaptureLost, this);
        m_frame->SetCursor(wxNullCursor);
    }

private:
    void OnLeftDown(wxMouseEvent& event)
    {
        const wxPoint screen = m_frame->ClientToScreen(event.GetPosition());
        wxWindow* frame = m_frame;
        End(true);
        wxWindow* target = wxFindWindowAtPoint(screen);
        if (!target || wxGetTopLevelParent(target) != frame)
            return;
        wxHelpEvent help(wxEVT_HELP, target->GetId(), screen, wxHelpEvent::Origin_HelpButton);
        help.SetEventObject(target);
        target->HandleWindowEvent(help);
    }
    void OnCancel(wxMouseEvent&) { End(true); }
    void OnKey(wxKeyEvent& event)
    {
        if (event.GetKeyCode() == WXK_ESCAPE)
            End(true);
        else
            event.Skip();
    }
    void OnCaptureLost(wxMouseCaptureLostEvent&) { End(false); }

    void End(bool release);

    wxWindow* m_frame;
};

std::unique_ptr<ContextHelpMode> g_contextHelp;

void ContextHelpMode::End(bool release)
{
    if (release && m_frame->HasCapture())
        m_frame->ReleaseMouse();
    // This runs inside one of the handlers bound above: wxWidgets deletes the object once the
    // event is through.
    wxTheApp->ScheduleForDestruction(g_contextHelp.release());
}
} // namespace

void ShowHelpContents(wxWindow* mainFrame)
{
    if (wxHtmlHelpController* help = Help(mainFrame))
        help->Display(kContentsPage);
    else
        ReportMissingGuide();
}

void ShowHelpPage(wxWindow* mainFrame, const std::string& page)
{
    wxHtmlHelpController* help = Help(mainFrame);
    if (!help) {
        ReportMissingGuide();
        return;
    }
    if (!help->Display(wxString::FromUTF8(page)))
        help->Display(kContentsPage);
}

std::string HelpPageFor(const wxWindow* window)
{
    // The generic list and tree put inner windows in front of the control: walk up to it.
    for (const wxWindow* w = window; w; w = w->GetParent()) {
        if (dynamic_cast<const CBrowserView*>(w) || dynamic_cast<const FileView*>(w))
            return "browsing.html";
        if (dynamic_cast<const wxAuiToolBar*>(w))
            return "commands.html";
        if (dynamic_cast<const wxStatusBar*>(w))
            return "connecting.html";
        if (w->IsTopLevel())
            break;
    }
    return kContentsPage;
}

void StartContextHelp(wxWindow* mainFrame)
{
    if (!mainFrame || g_contextHelp)
        return;
    g_contextHelp = std::make_unique<ContextHelpMode>(mainFrame);
}

bool InContextHelp()
{
    return g_contextHelp != nullptr;
}

wxHtmlHelpController* GetHelpController()
{
    return g_help.get();
}

// The application object's About and help commands, and the splash's share of event filtering.

#include "app/NorvoApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/ProgramHelp.h"
#include "app/SplashWnd.h"
#include "res/Resource.h"


int CNorvoApp::FilterEvent(wxEvent& event)
{
    if (CSplashWnd::SplashFilterMessage(event))
        return Event_Processed;
    return wxApp::FilterEvent(event);
}

void CNorvoApp::OnHelpCommand(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_APP_ABOUT:
        RunAboutBox(m_pMainFrame);
        return;
    case ID_HELP_FINDER:
        ShowHelpContents(m_pMainFrame);
        return;
    case ID_HELP:
        // Help for the current task: the page about the pane the user works in.
        ShowHelpPage(m_pMainFrame, HelpPageFor(m_pMainFrame ? m_pMainFrame->GetActiveView() : nullptr));
        return;
    case ID_CONTEXT_HELP:
        StartContextHelp(m_pMainFrame);
        return;
    default:
        event.Skip();
    }
}

void CNorvoApp::OnHelp(wxHelpEvent& event)
{
    // A help request that no window answered: from context help, or F1 in a control that
    // sends one.
    ShowHelpPage(m_pMainFrame, HelpPageFor(dynamic_cast<wxWindow*>(event.GetEventObject())));
}

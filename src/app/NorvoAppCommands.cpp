// The commands of the menus, the toolbar and the context menu, and their update rules. Each is
// applied to the main frame's active pane: a tree or a file list.

#include "app/NorvoApp.h"

#include "app/MainFrame.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "net/FileTransfer.h"
#include "platform/ui/MessageBox.h"
#include "profiles/OptionSheet.h"
#include "res/Resource.h"

#include <wx/utils.h>

wxBEGIN_EVENT_TABLE(CNorvoApp, wxApp)
    EVT_MENU(ID_SERVER_CONNECT, CNorvoApp::OnCommand)
    EVT_MENU(ID_SERVER_OPTION, CNorvoApp::OnCommand)
    EVT_MENU(ID_FILE_EXPAND_ALL, CNorvoApp::OnCommand)
    EVT_MENU(ID_FILE_REFRESH_FOLDER, CNorvoApp::OnCommand)
    EVT_MENU(ID_FILE_REFRESH_ALL, CNorvoApp::OnCommand)
    EVT_MENU(ID_FILE_NEW_FOLDER, CNorvoApp::OnFileCommand)
    EVT_MENU(ID_FILE_RENAME, CNorvoApp::OnFileCommand)
    EVT_MENU(ID_FILE_DELETE, CNorvoApp::OnFileCommand)
    EVT_MENU(ID_APP_EXIT, CNorvoApp::OnCommand)
    EVT_MENU(ID_VIEW_SESSION_STATUS, CNorvoApp::OnSessionStatus)
    EVT_MENU(ID_ARRANGE_BY_NAME, CNorvoApp::OnArrange)
    EVT_MENU(ID_ARRANGE_BY_DATE, CNorvoApp::OnArrange)
    EVT_MENU(ID_ARRANGE_BY_TYPE, CNorvoApp::OnArrange)
    EVT_UPDATE_UI(ID_ARRANGE_BY_NAME, CNorvoApp::OnUpdateArrange)
    EVT_UPDATE_UI(ID_ARRANGE_BY_DATE, CNorvoApp::OnUpdateArrange)
    EVT_UPDATE_UI(ID_ARRANGE_BY_TYPE, CNorvoApp::OnUpdateArrange)
    EVT_UPDATE_UI(ID_SERVER_CONNECT, CNorvoApp::OnUpdateCommand)
    EVT_UPDATE_UI(ID_SERVER_OPTION, CNorvoApp::OnUpdateCommand)
    EVT_UPDATE_UI(ID_FILE_DELETE, CNorvoApp::OnUpdateCommand)
    EVT_UPDATE_UI(ID_FILE_RENAME, CNorvoApp::OnUpdateCommand)
    EVT_UPDATE_UI(ID_FILE_NEW_FOLDER, CNorvoApp::OnUpdateCommand)
    EVT_UPDATE_UI(ID_FILE_EXPAND_ALL, CNorvoApp::OnUpdateCommand)
    EVT_UPDATE_UI(ID_FILE_REFRESH_FOLDER, CNorvoApp::OnUpdateCommand)
    EVT_UPDATE_UI(ID_FILE_REFRESH_ALL, CNorvoApp::OnUpdateCommand)
    EVT_TIMER(wxID_ANY, CNorvoApp::OnStopTimer)
    EVT_MENU(ID_APP_ABOUT, CNorvoApp::OnHelpCommand)
    EVT_MENU(ID_HELP_FINDER, CNorvoApp::OnHelpCommand)
    EVT_MENU(ID_HELP, CNorvoApp::OnHelpCommand)
    EVT_MENU(ID_CONTEXT_HELP, CNorvoApp::OnHelpCommand)
    EVT_HELP(wxID_ANY, CNorvoApp::OnHelp)
wxEND_EVENT_TABLE()

namespace {
const char* const kLengthyQuestion = "This is a lengthy process, do you want to continue.";

int ArrangeOf(int id)
{
    switch (id) {
    case ID_ARRANGE_BY_DATE: return 1;
    case ID_ARRANGE_BY_TYPE: return 2;
    default: return 0;
    }
}
} // namespace

CBrowserView* CNorvoApp::ActiveTree() const
{
    return m_pMainFrame ? dynamic_cast<CBrowserView*>(m_pMainFrame->GetActiveView()) : nullptr;
}

FileView* CNorvoApp::ActiveList() const
{
    return m_pMainFrame ? dynamic_cast<FileView*>(m_pMainFrame->GetActiveView()) : nullptr;
}

// New Folder, Expand All Sub Dir and Refresh Folder: a rooted tree with a selection that is
// either on a remote host or not the "Local Machine" root. Refresh All: a rooted tree.
bool CNorvoApp::TreeCommandEnabled(int id) const
{
    CBrowserView* tree = ActiveTree();
    if (!tree || !tree->m_bRooted)
        return false;
    if (id == ID_FILE_REFRESH_ALL)
        return true;
    const wxTreeItemId selection = tree->GetSelection();
    if (!selection.IsOk())
        return false;
    return tree->m_pConnection != nullptr || selection != tree->wxTreeCtrl::GetRootItem();
}

void CNorvoApp::OnUpdateCommand(wxUpdateUIEvent& event)
{
    const int id = event.GetId();
    // A running copy batch uses the trees, lists and connections: nothing may change them.
    if (CFileTransfer::IsBatchRunning()) {
        event.Enable(false);
        return;
    }
    if (id == ID_SERVER_CONNECT || id == ID_SERVER_OPTION) {
        event.Enable(true);
        return;
    }
    if (id == ID_FILE_DELETE || id == ID_FILE_RENAME) {
        if (FileView* list = ActiveList()) {
            const int selected = list->GetSelectedCount();
            event.Enable(id == ID_FILE_DELETE ? selected >= 1 : selected == 1);
            return;
        }
        CBrowserView* tree = ActiveTree();
        if (id == ID_FILE_DELETE) {
            event.Enable(tree && tree->CanDeleteSelection());
            return;
        }
        const bool enabled = tree && tree->GetSelection().IsOk() && tree->GetSelection() != tree->wxTreeCtrl::GetRootItem();
        event.Enable(enabled);
        return;
    }
    event.Enable(TreeCommandEnabled(id));
}

void CNorvoApp::OnCommand(wxCommandEvent& event)
{
    const int id = event.GetId();
    // Accelerators reach here without the update rules; closing cancels the batch itself.
    if (CFileTransfer::IsBatchRunning() && id != ID_APP_EXIT)
        return;
    switch (id) {
    case ID_SERVER_CONNECT:
        if (ConnectRegion())
            RootRegion(connectionType == kLocalRemote ? kLowerRegion : currentRegion);
        return;
    case ID_SERVER_OPTION:
        if (RunOptionSheet(m_pMainFrame, *this))
            ApplyConnectionType();
        return;
    case ID_APP_EXIT:
        if (m_pMainFrame)
            m_pMainFrame->Close();
        return;
    default:
        break;
    }

    // The tree commands; accelerators can reach here without a refresh of the update rules.
    if (!TreeCommandEnabled(id))
        return;
    CBrowserView* tree = ActiveTree();
    if (id == ID_FILE_EXPAND_ALL) {
        if (AfxMessageBox(kLengthyQuestion, wxYES_NO | wxICON_QUESTION) != wxYES)
            return;
        wxBusyCursor wait;
        tree->ExpandAllSubDirs();
    } else if (id == ID_FILE_REFRESH_FOLDER) {
        wxBusyCursor wait;
        tree->RefreshFolder();
    } else if (id == ID_FILE_REFRESH_ALL) {
        wxBusyCursor wait;
        tree->RefreshAll();
    }
}

// New Folder, Rename and Delete belong to the active pane; accelerators can reach here without
// a refresh of the update rules, so the rules are asked again.
void CNorvoApp::OnFileCommand(wxCommandEvent& event)
{
    const int id = event.GetId();
    wxUpdateUIEvent rule(id);
    OnUpdateCommand(rule);
    if (!rule.GetEnabled())
        return;
    wxBusyCursor wait;
    if (FileView* list = ActiveList()) {
        if (id == ID_FILE_RENAME)
            list->StartRename();
        else if (id == ID_FILE_DELETE)
            list->DeleteFiles();
    } else if (CBrowserView* tree = ActiveTree()) {
        if (id == ID_FILE_NEW_FOLDER)
            tree->NewFolder();
        else if (id == ID_FILE_RENAME)
            tree->StartRename();
        else
            tree->DeleteDirectory();
    }
}

void CNorvoApp::OnArrange(wxCommandEvent& event)
{
    wxBusyCursor wait;
    arrangeBy = ArrangeOf(event.GetId());
    if (!m_pMainFrame)
        return;
    m_pMainFrame->GetFileList(kUpperRegion)->SortFiles();
    m_pMainFrame->GetFileList(kLowerRegion)->SortFiles();
}

void CNorvoApp::OnUpdateArrange(wxUpdateUIEvent& event)
{
    event.Check(arrangeBy == ArrangeOf(event.GetId()));
}

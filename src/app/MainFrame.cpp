// The frame's creation: menus, toolbar, status bar, context menu, splitter and accelerators.
// The control-bar state is in MainFrameBars.cpp.

#include "app/MainFrame.h"

#include "app/FrameStatusBar.h"
#include "app/NorvoApp.h"
#include "app/ProgramIcons.h"
#include "app/ShareSplitter.h"
#include "app/SplashWnd.h"
#include "app/ToolImages.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "browser/PaneDrag.h"
#include "browser/RootLabels.h"
#include "net/FileTransfer.h"
#include "platform/registry/RegistryBatch.h"
#include "res/Resource.h"

#include <wx/accel.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <algorithm>

wxBEGIN_EVENT_TABLE(CMainFrame, wxFrame)
    EVT_CLOSE(CMainFrame::OnClose)
    EVT_MOVE(CMainFrame::OnMove)
    EVT_ACTIVATE(CMainFrame::OnActivate)
    EVT_IDLE(CMainFrame::OnIdle)
    EVT_MENU(ID_NEXT_PANE, CMainFrame::OnPaneCommand)
    EVT_MENU(ID_PREV_PANE, CMainFrame::OnPaneCommand)
    EVT_MENU(ID_VIEW_TOOLBAR, CMainFrame::OnToggleBar)
    EVT_MENU(ID_VIEW_STATUS_BAR, CMainFrame::OnToggleBar)
    EVT_UPDATE_UI(ID_VIEW_TOOLBAR, CMainFrame::OnUpdateToggleBar)
    EVT_UPDATE_UI(ID_VIEW_STATUS_BAR, CMainFrame::OnUpdateToggleBar)
    EVT_TIMER(wxID_ANY, CMainFrame::OnIndicatorTimer)
wxEND_EVENT_TABLE()

namespace {
const char* const kToolBarPaneName = "toolbar";
constexpr int kIndicatorIntervalMs = 250;
// The coloured edge that marks the active pane.
constexpr int kActiveMarkWidth = 2;

// Status prompts of the command table: the text before the newline is the prompt shown in the
// status bar, the text after it the tool tip.
const char* PromptOf(int id)
{
    switch (id) {
    case ID_SERVER_CONNECT: return "Connect to remote FTP server\nConnect";
    case ID_FILE_DELETE: return "Delete a directory or a file from a selected directory\nDelete a file or a directory";
    case ID_FILE_RENAME: return "Rename a directory or a file from a selected directory\nRename a file or a direcotry";
    case ID_FILE_NEW_FOLDER: return "Create a new directory\nCreate a new directory";
    case ID_FILE_REFRESH_FOLDER: return "Fresh folder\nRefresh";
    case ID_FILE_REFRESH_ALL: return "Fresh the whole tree\nRefresh tree";
    case ID_VIEW_SESSION_STATUS: return "Ftp session status information\nStatus";
    case ID_APP_ABOUT: return "Display program information, version number and copyright\nAbout";
    case ID_VIEW_TOOLBAR: return "Show or hide the toolbar\nToggle ToolBar";
    case ID_VIEW_STATUS_BAR: return "Show or hide the status bar\nToggle StatusBar";
    case ID_APP_EXIT: return "Quit the application; prompts to save documents\nExit";
    case ID_HELP_FINDER: return "List Help topics\nHelp Topics";
    case ID_CONTEXT_HELP: return "Display help for clicked on buttons, menus and windows\nHelp";
    case ID_HELP: return "Display help for current task or command\nHelp";
    default: return "";
    }
}

wxString StatusPrompt(int id)
{
    const wxString prompt = PromptOf(id);
    return prompt.BeforeFirst('\n');
}

wxString ToolTip(int id)
{
    const wxString prompt = PromptOf(id);
    return prompt.AfterFirst('\n');
}

wxMenuItem* Append(wxMenu* menu, int id, const char* text, wxItemKind kind = wxITEM_NORMAL)
{
    return menu->Append(id, text, StatusPrompt(id), kind);
}

} // namespace

CMainFrame::CMainFrame()
    : wxFrame(nullptr, wxID_ANY, "Ferrix FTP", wxDefaultPosition, wxSize(1000, 700)),
      m_indicatorTimer(this)
{
    m_aui.SetManagedWindow(this);
    CreateMenus();
    CreateToolBarPane();
    CreateStatusPanes();
    CreateContextMenu();
    CreateSplitter();
    CreateAccelerators();
    m_aui.Update();
    m_indicatorTimer.Start(kIndicatorIntervalMs);
    SetIcons(ProgramIconBundle());
    CSplashWnd::ShowSplash(this);
}

CMainFrame::~CMainFrame()
{
    m_indicatorTimer.Stop();
    m_aui.UnInit();
}

void CMainFrame::CreateMenus()
{
    auto* file = new wxMenu;
    Append(file, ID_FILE_NEW_FOLDER, "&New Folder");
    Append(file, ID_FILE_DELETE, "&Delete");
    Append(file, ID_FILE_RENAME, "&Rename");
    file->AppendSeparator();
    Append(file, ID_FILE_EXPAND_ALL, "&Expand All Sub Dir");
    file->AppendSeparator();
    Append(file, ID_FILE_REFRESH_FOLDER, "Refresh &Folder");
    Append(file, ID_FILE_REFRESH_ALL, "Refresh &All");
    file->AppendSeparator();
    Append(file, ID_APP_EXIT, "E&xit");

    auto* server = new wxMenu;
    Append(server, ID_SERVER_CONNECT, "&Connect...");
    Append(server, ID_SERVER_OPTION, "&Option...");

    // Check items that the update rule keeps one-of-three: GTK sends nothing for a click on a
    // radio item that is already on, and choosing the current order must sort again (rows a
    // copy added at the end are sorted in only then).
    auto* arrange = new wxMenu;
    Append(arrange, ID_ARRANGE_BY_NAME, "by &Name", wxITEM_CHECK);
    Append(arrange, ID_ARRANGE_BY_DATE, "by &Date", wxITEM_CHECK);
    Append(arrange, ID_ARRANGE_BY_TYPE, "by &Type", wxITEM_CHECK);

    auto* view = new wxMenu;
    Append(view, ID_VIEW_TOOLBAR, "&Toolbar", wxITEM_CHECK);
    Append(view, ID_VIEW_STATUS_BAR, "&Status Bar", wxITEM_CHECK);
    view->AppendSeparator();
    view->AppendSubMenu(arrange, "&Arrange File");
    view->AppendSeparator();
    Append(view, ID_VIEW_SESSION_STATUS, "Session Stat&us...");

    auto* help = new wxMenu;
    Append(help, ID_HELP_FINDER, "&Help Topics");
    help->AppendSeparator();
    Append(help, ID_APP_ABOUT, "&About Ferrix FTP...");

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(server, "&Server");
    bar->Append(view, "&View");
    bar->Append(help, "&Help");
    SetMenuBar(bar);
}

void CMainFrame::CreateToolBarPane()
{
    m_toolBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_HORZ_LAYOUT);
    m_toolBar->SetToolBitmapSize(kToolImageSize);
    struct Tool {
        int id;
        wxArtID art;
        const char* label;
    };
    const Tool tools[] = {
        {ID_SERVER_CONNECT, wxART_GO_FORWARD, "Connect"},
        {0, {}, nullptr},
        {ID_FILE_NEW_FOLDER, wxART_NEW_DIR, "New Folder"},
        {ID_FILE_DELETE, wxART_DELETE, "Delete"},
        {ID_FILE_RENAME, wxART_EDIT, "Rename"},
        {ID_FILE_REFRESH_FOLDER, wxART_REDO, "Refresh Folder"},
        {ID_FILE_REFRESH_ALL, wxART_GOTO_FIRST, "Refresh All"},
        {0, {}, nullptr},
        {ID_APP_ABOUT, wxART_INFORMATION, "About"},
        {ID_CONTEXT_HELP, wxART_HELP, "Help"},
    };
    for (const Tool& tool : tools) {
        if (tool.label == nullptr) {
            m_toolBar->AddSeparator();
            continue;
        }
        const ToolImages images = MakeToolImages(tool.art);
        m_toolBar->AddTool(tool.id, tool.label, images.enabled, images.disabled, wxITEM_NORMAL, ToolTip(tool.id),
                           StatusPrompt(tool.id), nullptr);
    }
    m_toolBar->Realize();
    // The toolbar of the layout manager shows no prompts of its own.
    m_toolBar->Bind(wxEVT_MOTION, &CMainFrame::OnToolBarMotion, this);
    m_toolBar->Bind(wxEVT_LEAVE_WINDOW, &CMainFrame::OnToolBarLeave, this);
    m_aui.AddPane(m_toolBar, wxAuiPaneInfo()
                                 .Name(kToolBarPaneName)
                                 .Caption("Toolbar")
                                 .ToolbarPane()
                                 .Top()
                                 .LeftDockable(true)
                                 .RightDockable(true)
                                 .TopDockable(true)
                                 .BottomDockable(true));
}

void CMainFrame::CreateStatusPanes()
{
    wxStatusBar* status = CreateStatusBar(4);
    const int widths[] = {-1, FromDIP(40), FromDIP(40), FromDIP(40)};
    status->SetStatusWidths(4, widths);
    status->SetStatusText(kIdleStatusText, 0);
    SetStatusBarPane(0);
}

wxStatusBar* CMainFrame::OnCreateStatusBar(int number, long style, wxWindowID id, const wxString& name)
{
    auto* status = new CFrameStatusBar(this, id, style, name);
    status->SetFieldsCount(number);
    return status;
}

void CMainFrame::CreateContextMenu()
{
    Append(&m_contextMenu, ID_FILE_NEW_FOLDER, "&New Folder");
    Append(&m_contextMenu, ID_FILE_DELETE, "&Delete");
    Append(&m_contextMenu, ID_FILE_RENAME, "&Rename");
    m_contextMenu.AppendSeparator();
    Append(&m_contextMenu, ID_FILE_EXPAND_ALL, "&Expand All Sub Dir");
    m_contextMenu.AppendSeparator();
    Append(&m_contextMenu, ID_FILE_REFRESH_FOLDER, "Resynch &Folder");
    Append(&m_contextMenu, ID_FILE_REFRESH_ALL, "Resynch &All");
}

void CMainFrame::CreateSplitter()
{
    // A static 2 by 2 splitter: two columns, each split into the same two rows; the row sashes
    // move together so the four cells stay a grid. Each pane sits in a holder whose edge shows
    // which pane is active.
    m_columns = new ShareSplitter(this);
    for (std::size_t column = 0; column < 2; ++column) {
        auto* rows = new ShareSplitter(m_columns);
        rows->Bind(wxEVT_SPLITTER_SASH_POS_CHANGING, &CMainFrame::OnRowSashChanged, this);
        rows->Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, &CMainFrame::OnRowSashChanged, this);
        m_rowsOfColumn[column] = rows;
    }
    const auto holder = [](wxWindow* parent) {
        auto* panel = new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
        panel->SetSizer(new wxBoxSizer(wxVERTICAL));
        // Without a minimum of its own a holder asks for its pane's best size (a list asks for
        // all its columns), and the layout manager would widen the frame past the screen.
        panel->SetMinSize(wxSize(ShareSplitter::kMinimumPaneSize, ShareSplitter::kMinimumPaneSize));
        return panel;
    };
    const auto hold = [](wxWindow* view) {
        view->GetParent()->GetSizer()->Add(view, wxSizerFlags(1).Expand().Border(wxALL, kActiveMarkWidth));
    };
    const char* const rootLabels[] = {kLocalMachineLabel, kRemoteHostLabel};
    for (std::size_t row = 0; row < 2; ++row) {
        auto* tree = new CBrowserView(holder(m_rowsOfColumn[0]));
        tree->m_strRootLabel = rootLabels[row];
        tree->m_nPane = static_cast<int>(row);
        tree->m_pHost = this;
        auto* list = new FileView(holder(m_rowsOfColumn[1]));
        tree->m_pFileView = list;
        list->m_pTree = tree;
        list->m_nPane = static_cast<int>(row) + 2;
        list->m_pHost = this;
        hold(tree);
        hold(list);
        m_trees[row] = tree;
        m_lists[row] = list;
    }
    const wxSize client = GetClientSize();
    m_rowsOfColumn[0]->SplitHorizontally(m_trees[0]->GetParent(), m_trees[1]->GetParent(), client.GetHeight() / 2);
    m_rowsOfColumn[1]->SplitHorizontally(m_lists[0]->GetParent(), m_lists[1]->GetParent(), client.GetHeight() / 2);
    m_columns->SplitVertically(m_rowsOfColumn[0], m_rowsOfColumn[1], client.GetWidth() / 2);
    m_aui.AddPane(m_columns, wxAuiPaneInfo().Name("panes").CenterPane());
    SetActiveView(m_lists[0]);
}

void CMainFrame::CreateAccelerators()
{
    wxAcceleratorEntry entries[] = {
        {wxACCEL_NORMAL, WXK_F6, ID_NEXT_PANE},
        {wxACCEL_SHIFT, WXK_F6, ID_PREV_PANE},
        {wxACCEL_NORMAL, WXK_F1, ID_HELP},
        {wxACCEL_SHIFT, WXK_F1, ID_CONTEXT_HELP},
    };
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(entries)), entries));
}

wxWindow* CMainFrame::GetPane(int row, int column) const
{
    if (row < 0 || row > 1)
        return nullptr;
    if (column == 0)
        return m_trees[static_cast<std::size_t>(row)];
    if (column == 1)
        return m_lists[static_cast<std::size_t>(row)];
    return nullptr;
}

DragState* CMainFrame::GetDragState()
{
    return &wxGetApp().m_drag;
}

wxCursor CMainFrame::GetDragCursor(bool overPane) const
{
    return overPane ? g_arrowCursor : g_noDropCursor;
}

TransferSetup CMainFrame::MakeTransferSetup(Endpoint source)
{
    return wxGetApp().MakeTransferSetup(source);
}

void CMainFrame::SetActiveView(wxWindow* view)
{
    m_pActiveView = view;
    MarkActivePane();
    if (view && !view->HasFocus() && wxWindow::FindFocus() != view)
        view->SetFocus();
}

void CMainFrame::MarkActivePane()
{
    const wxColour mark = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    const wxColour plain = m_columns->GetBackgroundColour();
    for (wxWindow* pane : std::array<wxWindow*, 4>{m_trees[0], m_lists[0], m_trees[1], m_lists[1]}) {
        wxWindow* holder = pane->GetParent();
        const wxColour wanted = pane == m_pActiveView ? mark : plain;
        if (holder->GetBackgroundColour() != wanted) {
            holder->SetBackgroundColour(wanted);
            holder->Refresh();
        }
    }
}

void CMainFrame::ShowContextMenu(const wxPoint& screenPos)
{
    if (m_contextMenuPresenter) {
        m_contextMenuPresenter(m_contextMenu, screenPos);
        return;
    }
    PopupMenu(&m_contextMenu, ScreenToClient(screenPos));
}

int CMainFrame::GetArrangeBy() const
{
    return wxGetApp().arrangeBy;
}

void CMainFrame::ApplyArrange(int arrangeBy)
{
    const int ids[] = {ID_ARRANGE_BY_NAME, ID_ARRANGE_BY_DATE, ID_ARRANGE_BY_TYPE};
    if (arrangeBy < 0 || arrangeBy >= static_cast<int>(std::size(ids)))
        return;
    // The same road as the menu command, so the check marks and both lists follow.
    wxCommandEvent command(wxEVT_MENU, ids[arrangeBy]);
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}

void CMainFrame::ActivateNextPane(bool forward)
{
    const std::array<wxWindow*, 4> order{m_trees[0], m_lists[0], m_trees[1], m_lists[1]};
    auto at = std::find(order.begin(), order.end(), m_pActiveView);
    std::size_t index = at == order.end() ? 0 : static_cast<std::size_t>(at - order.begin());
    index = forward ? (index + 1) % order.size() : (index + order.size() - 1) % order.size();
    SetActiveView(order[index]);
}

void CMainFrame::OnPaneCommand(wxCommandEvent& event)
{
    ActivateNextPane(event.GetId() == ID_NEXT_PANE);
}

void CMainFrame::OnRowSashChanged(wxSplitterEvent& event)
{
    auto* moved = static_cast<ShareSplitter*>(event.GetEventObject());
    ShareSplitter* other = moved == m_rowsOfColumn[0] ? m_rowsOfColumn[1] : m_rowsOfColumn[0];
    if (event.GetSashPosition() > 0 && !moved->IsResizing())
        other->SetShare(moved->ShareOf(event.GetSashPosition()));
    event.Skip();
}

double CMainFrame::GetColumnShare() const
{
    return m_columns->GetShare();
}

double CMainFrame::GetRowShare() const
{
    return m_rowsOfColumn[0]->GetShare();
}

void CMainFrame::SetColumnShare(double share)
{
    m_columns->SetShare(share);
}

void CMainFrame::SetRowShare(double share)
{
    for (ShareSplitter* rows : m_rowsOfColumn)
        rows->SetShare(share);
}

void CMainFrame::OnToolBarMotion(wxMouseEvent& event)
{
    const wxAuiToolBarItem* tool = m_toolBar->FindToolByPosition(event.GetX(), event.GetY());
    ShowToolPrompt(tool && tool->GetKind() != wxITEM_SEPARATOR ? tool->GetId() : wxID_NONE);
    event.Skip();
}

void CMainFrame::OnToolBarLeave(wxMouseEvent& event)
{
    ShowToolPrompt(wxID_NONE);
    event.Skip();
}

void CMainFrame::ShowToolPrompt(int id)
{
    if (id == m_promptedTool)
        return;
    // The frame keeps the text the prompt covers and puts it back when the pointer leaves.
    if (m_promptedTool != wxID_NONE)
        DoGiveHelp(wxString(), false);
    m_promptedTool = id;
    if (id != wxID_NONE)
        DoGiveHelp(StatusPrompt(id), true);
}

void CMainFrame::OnIndicatorTimer(wxTimerEvent&)
{
    wxStatusBar* status = GetStatusBar();
    if (!status || !status->IsShown())
        return;
    const struct {
        int field;
        wxKeyCode key;
        const char* text;
    } indicators[] = {{1, WXK_CAPITAL, "CAP"}, {2, WXK_NUMLOCK, "NUM"}, {3, WXK_SCROLL, "SCRL"}};
    for (const auto& indicator : indicators) {
        const wxString text = wxGetKeyState(indicator.key) ? indicator.text : "";
        if (status->GetStatusText(indicator.field) != text)
            status->SetStatusText(text, indicator.field);
    }
}

void CMainFrame::OnActivate(wxActivateEvent& event)
{
    // A floating toolbar restored at start may be mapped before the frame, and a window manager
    // then stacks the frame over it: it belongs above the frame whenever the frame is active.
    if (event.GetActive()) {
        wxAuiPaneInfoArray& panes = m_aui.GetAllPanes();
        for (std::size_t i = 0; i < panes.GetCount(); ++i) {
            if (panes[i].IsFloating() && panes[i].IsShown() && panes[i].frame)
                panes[i].frame->Raise();
        }
    }
    event.Skip();
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    // A copy batch runs in a handler further up the stack and uses the panes and connections:
    // it is cancelled first, and the window closes once the batch has ended.
    if (CFileTransfer::IsBatchRunning() && event.CanVeto()) {
        CFileTransfer::CancelRunningBatch();
        m_bCloseAfterBatch = true;
        event.Veto();
        return;
    }
    // A drag still under way ends here: its image and the mouse belong to the panes.
    if (!CFileTransfer::IsBatchRunning() && wxGetApp().m_drag.active)
        CancelPaneDrag(*this, wxGetApp().m_drag);
    {
        // The bars and the layout are a dozen values: one write of the registry file, not one each.
        RegistryBatch oneWrite;
        SaveBarState(wxGetApp().GetFrameKeyPath());
        SaveLayout(wxGetApp().GetFrameKeyPath());
    }
    event.Skip();
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_bCloseAfterBatch && !CFileTransfer::IsBatchRunning()) {
        m_bCloseAfterBatch = false;
        Close();
    }
}

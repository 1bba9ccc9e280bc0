#pragma once
// CMainFrame: the program's one top-level window: menu bar, dockable toolbar, status bar, the
// shared context menu, and the 2 by 2 splitter with the two trees on the left and the two file
// lists on the right. Commands go to the application object, which applies them to the pane
// that is the frame's active view.

#include "browser/PaneHost.h"

#include <wx/aui/aui.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/timer.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CBrowserView;
class FileView;
class ShareSplitter;
class wxSplitterEvent;

class CMainFrame : public wxFrame, public IPaneHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    // Splitter cell (row, column): column 0 the trees, column 1 the file lists.
    wxWindow* GetPane(int row, int column) const override;
    CBrowserView* GetTree(int row) const { return m_trees[static_cast<std::size_t>(row)]; }
    FileView* GetFileList(int row) const { return m_lists[static_cast<std::size_t>(row)]; }

    // IPaneHost
    void SetActiveView(wxWindow* view) override;
    wxWindow* GetActiveView() const override { return m_pActiveView; }
    void ShowContextMenu(const wxPoint& screenPos) override;
    int GetArrangeBy() const override;
    void ApplyArrange(int arrangeBy) override;
    DragState* GetDragState() override;
    wxCursor GetDragCursor(bool overPane) const override;
    TransferSetup MakeTransferSetup(Endpoint source) override;

    // Pane order of the splitter for F6 / Shift+F6: upper tree, upper list, lower tree, lower list.
    void ActivateNextPane(bool forward);

    bool IsToolBarShown() const;
    void ShowToolBar(bool show);
    bool IsStatusBarShown() const;
    void ShowStatusBar(bool show);
    // Shows `notice` ("Not encrypted: ...") in a status pane of its own after the indicators;
    // empty takes the pane away.
    void ShowSecurityNotice(const std::string& notice);
    static constexpr int kSecurityNoticePane = 4;
    // 0 top, 1 left, 2 bottom, 3 right.
    int GetToolBarDockSide() const;

    // The toolbar and status bar state under "CtrlBar" of the settings key `appKeyPath`.
    void SaveBarState(const std::string& appKeyPath) const;
    void LoadBarState(const std::string& appKeyPath);
    // The window's place and size, the sash positions and the list column widths, under
    // "Window" of the settings key. A saved place that no screen shows is ignored.
    void SaveLayout(const std::string& appKeyPath) const;
    void LoadLayout(const std::string& appKeyPath);

    // The first column's and the first row's share of the frame, 0 to 1.
    double GetColumnShare() const;
    double GetRowShare() const;
    void SetColumnShare(double share);
    void SetRowShare(double share);

    wxMenu& GetContextMenu() { return m_contextMenu; }

    // When set, shows the context menu instead of the modal pop-up (tests choose its command).
    std::function<void(wxMenu&, const wxPoint&)> m_contextMenuPresenter;

    static constexpr const char* kIdleStatusText = "For Help, press F1";

private:
    // The four standard panes, and a fifth of `noticeWidth` pixels when it is not 0.
    void SetStatusPaneWidths(int noticeWidth);
    void CreateMenus();
    void CreateToolBarPane();
    void CreateStatusPanes();
    wxStatusBar* OnCreateStatusBar(int number, long style, wxWindowID id, const wxString& name) override;
    void CreateContextMenu();
    void CreateSplitter();
    void CreateAccelerators();

    void OnClose(wxCloseEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnPaneCommand(wxCommandEvent& event);
    void OnToggleBar(wxCommandEvent& event);
    void OnUpdateToggleBar(wxUpdateUIEvent& event);
    void OnIndicatorTimer(wxTimerEvent& event);
    void OnRowSashChanged(wxSplitterEvent& event);
    void OnMove(wxMoveEvent& event);
    void OnToolBarMotion(wxMouseEvent& event);
    void OnToolBarLeave(wxMouseEvent& event);
    void ShowToolPrompt(int id);
    void MarkActivePane();

    wxMenu m_contextMenu;
    wxAuiManager m_aui;
    wxAuiToolBar* m_toolBar = nullptr;
    int m_promptedTool = wxID_NONE;   // the toolbar button whose prompt the status bar shows
    ShareSplitter* m_columns = nullptr;
    std::array<ShareSplitter*, 2> m_rowsOfColumn{};
    std::array<CBrowserView*, 2> m_trees{};
    std::array<FileView*, 2> m_lists{};
    wxWindow* m_pActiveView = nullptr;
    wxTimer m_indicatorTimer;
    bool m_bPositionKnown = false;   // whether GetPosition tells where the frame really is
    std::optional<wxPoint> m_pendingPosition;   // the saved place, until the frame is there
    int m_placementTries = 0;
    bool m_bCloseAfterBatch = false;   // a close came while a copy batch ran: close once it ends

    wxDECLARE_EVENT_TABLE();
};

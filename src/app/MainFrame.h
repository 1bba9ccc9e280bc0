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
#include <string>

class CBrowserView;
class FileView;
class wxSplitterWindow;
class wxSplitterEvent;

class CMainFrame : public wxFrame, public IPaneHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    // Splitter cell (row, column): column 0 the trees, column 1 the file lists.
    wxWindow* GetPane(int row, int column) const;
    CBrowserView* GetTree(int row) const { return m_trees[static_cast<std::size_t>(row)]; }
    FileView* GetFileList(int row) const { return m_lists[static_cast<std::size_t>(row)]; }

    // IPaneHost
    void SetActiveView(wxWindow* view) override;
    wxWindow* GetActiveView() const override { return m_pActiveView; }
    void ShowContextMenu(const wxPoint& screenPos) override;
    int GetArrangeBy() const override;

    // Pane order of the splitter for F6 / Shift+F6: upper tree, upper list, lower tree, lower list.
    void ActivateNextPane(bool forward);

    bool IsToolBarShown() const;
    void ShowToolBar(bool show);
    bool IsStatusBarShown() const;
    void ShowStatusBar(bool show);
    // 0 top, 1 left, 2 bottom, 3 right.
    int GetToolBarDockSide() const;

    // The toolbar and status bar state under "CtrlBar" of the settings key `appKeyPath`.
    void SaveBarState(const std::string& appKeyPath) const;
    void LoadBarState(const std::string& appKeyPath);

    wxMenu& GetContextMenu() { return m_contextMenu; }

    // When set, shows the context menu instead of the modal pop-up (tests choose its command).
    std::function<void(wxMenu&, const wxPoint&)> m_contextMenuPresenter;

    static constexpr const char* kIdleStatusText = "For Help, press F1";

private:
    void CreateMenus();
    void CreateToolBarPane();
    void CreateStatusPanes();
    void CreateContextMenu();
    void CreateSplitter();
    void CreateAccelerators();

    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnPaneCommand(wxCommandEvent& event);
    void OnToggleBar(wxCommandEvent& event);
    void OnUpdateToggleBar(wxUpdateUIEvent& event);
    void OnIndicatorTimer(wxTimerEvent& event);
    void OnRowSashChanged(wxSplitterEvent& event);

    wxMenu m_contextMenu;
    wxAuiManager m_aui;
    wxAuiToolBar* m_toolBar = nullptr;
    wxSplitterWindow* m_columns = nullptr;
    std::array<wxSplitterWindow*, 2> m_rowsOfColumn{};
    std::array<CBrowserView*, 2> m_trees{};
    std::array<FileView*, 2> m_lists{};
    wxWindow* m_pActiveView = nullptr;
    wxTimer m_indicatorTimer;
    std::string m_appKeyPath;
    bool m_bCloseAfterBatch = false;   // a close came while a copy batch ran: close once it ends

    wxDECLARE_EVENT_TABLE();
};

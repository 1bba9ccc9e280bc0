#pragma once
// CNorvoApp: the one application object. It owns everything that is not a window: the internet
// session and FTP connection of each region, the host profiles and settings (the ProfileState
// it derives from), the per-region choices, the current region. Every menu, toolbar and
// context-menu command reaches it and is applied to the main frame's active pane.

#include "browser/DragState.h"
#include "net/FileTransfer.h"
#include "net/RegionConnection.h"
#include "profiles/ProfileState.h"

#include <wx/app.h>
#include <wx/cursor.h>
#include <wx/timer.h>

#include <array>
#include <memory>
#include <string>

class CBrowserView;
class CMainFrame;
class CNetworkWaitGuard;
class CNorvoDoc;
class FileView;
class wxHelpEvent;
class wxUpdateUIEvent;

class CNorvoApp : public wxApp, public ProfileState {
public:
    CNorvoApp();
    ~CNorvoApp() override;

    bool OnInit() override;   // the start-up sequence
    int OnExit() override;    // saves profiles and settings
    int FilterEvent(wxEvent& event) override;   // the splash takes the first key or button press

    void ApplyConnectionType();
    // Runs the Connect dialog and connects the region chosen there (currentRegion afterwards).
    // True when the region has a usable connection, or the user kept the one it had.
    bool ConnectRegion();
    // Shows region `region`'s host in its tree, from the root directory on; the tree gives the
    // connection back before it closes.
    void RootRegion(int region);
    // Closes the connections, upper then lower, then the sessions, upper then lower.
    void CloseRegions();
    void WaitForSplash();
    wxWindow* GetPane(int row, int column) const;
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }
    // The settings key: company\product\"MFC Setting"\ (below Software), with the framework's
    // own subkey named after the application title.
    std::string GetFrameKeyPath() const;

    // The setup of a copy batch reading from `source` (one of the regions' connections, or null
    // for the local machine).
    TransferSetup MakeTransferSetup(Endpoint source);

    // The drag between the four panes: it starts in one pane and ends in another.
    DragState m_drag;

    // Per region (0 upper, 1 lower): session, connection and initial root directory.
    std::array<RegionConnection, 2> regions;
    std::int32_t currentRegion = 0;

    // Set from the command line: "Embedding" or "Automation" turn the splash window off.
    bool m_bSplashEnabled = true;

protected:
    // Steps of start-up, in order; tests run them one by one.
    void ParseCommandLineSwitches();
    void CreateFrameworkKey();
    bool CreateMainWindow();
    void BuildFrameKeyPath();
    void ReadSettings();
    void LoadCursors();

private:
    void OnCommand(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnFileCommand(wxCommandEvent& event);
    void OnArrange(wxCommandEvent& event);
    void OnSessionStatus(wxCommandEvent& event);
    void OnUpdateArrange(wxUpdateUIEvent& event);
    void OnHelpCommand(wxCommandEvent& event);   // About, Help Topics, F1, context help
    void OnHelp(wxHelpEvent& event);

    // The active pane as a tree or as a file list, or null.
    CBrowserView* ActiveTree() const;
    FileView* ActiveList() const;
    bool TreeCommandEnabled(int id) const;

    // Start-up's connect steps, once the main window is on the screen.
    void ConnectAtStartUp();
    void OnFirstFrameMove(wxMoveEvent& event);
    void ShowStatusText(const std::string& text);
    // The status bar's notice of the regions whose connections are plain.
    void UpdateSecurityNotice();

    void InstallStopSignals();
    void StartStopWatch();
    void OnStopTimer(wxTimerEvent& event);

    CMainFrame* m_pMainFrame = nullptr;   // a top-level window: wxWidgets destroys it
    std::unique_ptr<CNetworkWaitGuard> m_waitGuard;
    std::unique_ptr<CNorvoDoc> m_document;
    wxTimer m_stopTimer;
    std::string m_strFrameKeyPath;

    wxDECLARE_EVENT_TABLE();
};

wxDECLARE_APP(CNorvoApp);

// Process-wide values beside the application object; the shutting-down flag is the session's
// (net/FtpSession.h).
extern wxCursor g_arrowCursor;
extern wxCursor g_noDropCursor;

#pragma once
// CNorvoApp: the one application object. It owns everything that is not a window: the internet
// session and FTP connection of each region, the host profiles and settings (the ProfileState
// it derives from), the per-region choices, the current region. Every menu, toolbar and
// context-menu command reaches it and is applied to the main frame's active pane.

#include "profiles/ProfileState.h"

#include <wx/app.h>
#include <wx/cursor.h>
#include <wx/timer.h>

#include <array>
#include <memory>
#include <string>

class CBrowserView;
class CFtpConnection;
class CInternetSession;
class CMainFrame;
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
    bool ConnectRegion();
    void WaitForSplash();
    wxWindow* GetPane(int row, int column) const;
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }
    // The settings key: company\product\"MFC Setting"\ (below Software), with the framework's
    // own subkey named after the application title.
    std::string GetFrameKeyPath() const;

    std::array<std::unique_ptr<CInternetSession>, 2> sessions;
    std::array<std::unique_ptr<CFtpConnection>, 2> connections;
    std::array<std::string, 2> rootDirs;
    std::int32_t currentRegion = 0;

    // Set from the command line: "Embedding" or "Automation" turn the splash window off.
    bool m_bSplashEnabled = true;

protected:
    // Steps of start-up, in order; tests run them one by one.
    void ParseCommandLineSwitches();
    void CreateFrameworkKey();
    bool CreateMainWindow();
    void ReadSettings();
    void LoadCursors();

private:
    void OnCommand(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnArrange(wxCommandEvent& event);
    void OnUpdateArrange(wxUpdateUIEvent& event);
    void OnHelpCommand(wxCommandEvent& event);   // About, Help Topics, F1, context help
    void OnHelp(wxHelpEvent& event);

    // The active pane as a tree or as a file list, or null.
    CBrowserView* ActiveTree() const;
    FileView* ActiveList() const;
    bool TreeCommandEnabled(int id) const;

    void InstallStopSignals();
    void StartStopWatch();
    void OnStopTimer(wxTimerEvent& event);

    CMainFrame* m_pMainFrame = nullptr;   // a top-level window: wxWidgets destroys it
    std::unique_ptr<CNorvoDoc> m_document;
    wxTimer m_stopTimer;
    std::string m_strFrameKeyPath;

    wxDECLARE_EVENT_TABLE();
};

wxDECLARE_APP(CNorvoApp);

// Process-wide values beside the application object.
extern bool g_bShuttingDown;   // set once the application object begins its destruction
extern wxCursor g_arrowCursor;
extern wxCursor g_noDropCursor;

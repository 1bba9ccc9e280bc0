// The application object: start-up, laying out the regions, and shutdown.

#include "app/NorvoApp.h"

#include "app/MainFrame.h"
#include "app/NorvoDoc.h"
#include "app/SplashWnd.h"
#include "browser/BrowserView.h"
#include "browser/RootLabels.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetSession.h"
#include "platform/registry/Registry.h"
#include "profiles/ProfileSettings.h"


wxIMPLEMENT_APP_NO_MAIN(CNorvoApp);

bool g_bShuttingDown = false;
wxCursor g_arrowCursor;
wxCursor g_noDropCursor;

namespace {
const char* const kFrameworkKey = "Software\\Local AppWizard-Generated Applications\\Ferrix FTP";
const char* const kFrameworkSection = "MFC Setting";
const char* const kApplicationTitle = "Ferrix FTP";
constexpr int kUpperRegion = 0;
constexpr int kLowerRegion = 1;
} // namespace

CNorvoApp::CNorvoApp() : m_stopTimer(this)
{
    SetAppName("ferrix-ftp");
    SetAppDisplayName(kApplicationTitle);
}

CNorvoApp::~CNorvoApp()
{
    // Closing the connections produces status notifications; the flag keeps them off the status
    // bar of the frame, which is gone by now.
    g_bShuttingDown = true;
    for (auto& connection : connections) {
        if (connection) {
            connection->Close();
            connection.reset();
        }
    }
    for (auto& session : sessions) {
        if (session) {
            session->Close();
            session.reset();
        }
    }
    profiles.clear();
}

bool CNorvoApp::OnInit()
{
    ParseCommandLineSwitches();
    CreateFrameworkKey();
    m_document = std::make_unique<CNorvoDoc>();
    m_document->OnNewDocument();
    if (!CreateMainWindow())
        return false;
    ReadSettings();
    InstallStopSignals();
    StartStopWatch();
    ApplyConnectionType();
    LoadCursors();
    return true;
}

int CNorvoApp::OnExit()
{
    SaveProfiles(*this);
    return wxApp::OnExit();
}

void CNorvoApp::ParseCommandLineSwitches()
{
    m_bSplashEnabled = true;
    for (int i = 1; i < argc; ++i) {
        const wxString arg = argv[i];
        if (arg.length() < 2 || (arg[0] != '/' && arg[0] != '-'))
            continue;
        const wxString name = arg.Mid(1).Lower();
        if (name == "embedding" || name == "automation")
            m_bSplashEnabled = false;
    }
    CSplashWnd::SetSplashEnabled(m_bSplashEnabled);
}

void CNorvoApp::CreateFrameworkKey()
{
    // The framework's own settings live here; nothing of the program reads them, but the key
    // exists as on the platform.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kFrameworkKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

bool CNorvoApp::CreateMainWindow()
{
    m_pMainFrame = new CMainFrame;
    SetTopWindow(m_pMainFrame);
    m_pMainFrame->Show();
    m_pMainFrame->Update();
    return true;
}

void CNorvoApp::ReadSettings()
{
    ReadVersionStrings(*this);
    std::string appKey;
    GetAppKeyPath(*this, appKey, kFrameworkSection, {});
    m_strFrameKeyPath = appKey + kApplicationTitle + "\\";
    m_pMainFrame->LoadBarState(m_strFrameKeyPath);
    LoadProfiles(*this);
}

std::string CNorvoApp::GetFrameKeyPath() const
{
    return m_strFrameKeyPath;
}

void CNorvoApp::LoadCursors()
{
    g_arrowCursor = wxCursor(wxCURSOR_ARROW);
    g_noDropCursor = wxCursor(wxCURSOR_NO_ENTRY);
}

wxWindow* CNorvoApp::GetPane(int row, int column) const
{
    return m_pMainFrame ? m_pMainFrame->GetPane(row, column) : nullptr;
}

void CNorvoApp::ApplyConnectionType()
{
    if (!m_pMainFrame)
        return;
    auto tree = [this](int region) { return m_pMainFrame->GetTree(region); };
    auto rootRegion = [&](int region) {
        CBrowserView* view = tree(region);
        view->m_strRootLabel = kRemoteHostLabel;
        view->m_strRootDir = rootDirs[static_cast<std::size_t>(region)];
        view->SetRoot(connections[static_cast<std::size_t>(region)].get());
    };

    if (connectionType == 0) {
        tree(kUpperRegion)->m_strRootLabel = kLocalMachineLabel;
        tree(kUpperRegion)->SetRoot(nullptr);
        WaitForSplash();
        currentRegion = kLowerRegion;
        if (!ConnectRegion())
            return;
        rootRegion(kLowerRegion);
        return;
    }
    WaitForSplash();
    if (ConnectRegion())
        rootRegion(currentRegion);
    currentRegion = currentRegion == kUpperRegion ? kLowerRegion : kUpperRegion;
    if (!ConnectRegion())
        return;
    rootRegion(currentRegion);
}

void CNorvoApp::WaitForSplash()
{
    // The splash window, when one is shown, goes by itself; until then the Connect dialog
    // must not open over it.
    CSplashWnd::WaitForSplash();
}

// The application object: start-up, laying out the regions, and shutdown.

#include "app/NorvoApp.h"

#include "app/MainFrame.h"
#include "app/NetworkWaitGuard.h"
#include "app/NorvoDoc.h"
#include "app/SplashWnd.h"
#include "browser/BrowserView.h"
#include "browser/RootLabels.h"
#include "net/FtpSession.h"
#include "net/TransferSetupFor.h"
#include "platform/registry/RegistryKeyHandle.h"
#include "profiles/ProfileSettings.h"

#include <wx/dialog.h>


wxIMPLEMENT_APP_NO_MAIN(CNorvoApp);

wxCursor g_arrowCursor;
wxCursor g_noDropCursor;

namespace {
const char* const kFrameworkKey = "Software\\Local AppWizard-Generated Applications\\Ferrix FTP";
const char* const kFrameworkSection = "MFC Setting";
const char* const kApplicationTitle = "Ferrix FTP";
constexpr int kStatusPane = 0;
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
    SetStatusDisplay({});
    CloseRegions();
    profiles.clear();
}

void CNorvoApp::CloseRegions()
{
    for (RegionConnection& region : regions)
        region.CloseConnection();
    for (RegionConnection& region : regions)
        region.CloseSession();
}

bool CNorvoApp::OnInit()
{
    // First of all: a stop asked for while the window is still being built (the splash may
    // already be on the screen) must close the program the normal way, not kill it.
    InstallStopSignals();
    ParseCommandLineSwitches();
    CreateFrameworkKey();
    m_document = std::make_unique<CNorvoDoc>();
    m_document->OnNewDocument();
    if (!CreateMainWindow())
        return false;
    ReadSettings();
    StartStopWatch();
    SetStatusDisplay([this](const std::string& text) { ShowStatusText(text); });
    m_waitGuard.reset();   // one guard at a time: a new one replaces the library's observer
    m_waitGuard = std::make_unique<CNetworkWaitGuard>([this] { return m_pMainFrame; });
    // The connect steps open the Connect dialog: only once the main loop runs and the frame is
    // on the screen, so that the dialog comes up over the frame rather than behind it.
    CallAfter(&CNorvoApp::ConnectAtStartUp);
    LoadCursors();
    return true;
}

int CNorvoApp::OnExit()
{
    m_waitGuard.reset();
    SaveProfilesOrTell(*this);
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
    CreateRegistryKey(HKEY_CURRENT_USER, kFrameworkKey);
}

bool CNorvoApp::CreateMainWindow()
{
    m_pMainFrame = new CMainFrame;
    // Nothing may reach the frame once it is gone: status texts of connections closed at exit
    // and the wait guard ask for it through this pointer.
    m_pMainFrame->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == m_pMainFrame)
            m_pMainFrame = nullptr;
        event.Skip();
    });
    SetTopWindow(m_pMainFrame);
    // The saved place and size go to the window manager with the window itself: one moved
    // after it was mapped may be placed by the manager's own rules instead.
    BuildFrameKeyPath();
    m_pMainFrame->LoadLayout(m_strFrameKeyPath);
    m_pMainFrame->Show();
    m_pMainFrame->Update();
    return true;
}

void CNorvoApp::BuildFrameKeyPath()
{
    ReadVersionStrings(*this);
    std::string appKey;
    GetAppKeyPath(*this, appKey, kFrameworkSection, {});
    m_strFrameKeyPath = appKey + kApplicationTitle + "\\";
}

void CNorvoApp::ReadSettings()
{
    BuildFrameKeyPath();
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

TransferSetup CNorvoApp::MakeTransferSetup(Endpoint source)
{
    return TransferSetupFor(*this, source, {regions[0].Connection(), regions[1].Connection()},
                            [](DWORD_PTR context) { return std::make_unique<CFtpSession>(context); });
}

wxWindow* CNorvoApp::GetPane(int row, int column) const
{
    return m_pMainFrame ? m_pMainFrame->GetPane(row, column) : nullptr;
}

void CNorvoApp::ConnectAtStartUp()
{
    if (!m_pMainFrame)
        return;
    m_pMainFrame->Raise();
    // A window manager may place the frame only after the Connect dialog has been centred on
    // where the frame was first put; the dialog then follows the frame once.
    m_pMainFrame->Bind(wxEVT_MOVE, &CNorvoApp::OnFirstFrameMove, this);
    ApplyConnectionType();
}

void CNorvoApp::OnFirstFrameMove(wxMoveEvent& event)
{
    event.Skip();
    if (!m_pMainFrame)
        return;
    m_pMainFrame->Unbind(wxEVT_MOVE, &CNorvoApp::OnFirstFrameMove, this);
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog && dialog->IsModal() && dialog->GetParent() == m_pMainFrame)
            dialog->CentreOnParent();
    }
}

void CNorvoApp::ApplyConnectionType()
{
    if (!m_pMainFrame)
        return;
    if (connectionType == kLocalRemote) {
        CBrowserView* upper = m_pMainFrame->GetTree(kUpperRegion);
        upper->m_strRootLabel = kLocalMachineLabel;
        upper->SetRoot(nullptr);
        WaitForSplash();
        currentRegion = kLowerRegion;
        if (ConnectRegion())
            RootRegion(kLowerRegion);
        return;
    }
    WaitForSplash();
    if (ConnectRegion())
        RootRegion(currentRegion);
    currentRegion = currentRegion == kUpperRegion ? kLowerRegion : kUpperRegion;
    if (ConnectRegion())
        RootRegion(currentRegion);
}

void CNorvoApp::RootRegion(int region)
{
    if (!m_pMainFrame)
        return;
    CBrowserView* tree = m_pMainFrame->GetTree(region);
    RegionConnection& link = regions[static_cast<std::size_t>(region)];
    link.Lend([tree = wxWeakRef<CBrowserView>(tree)] {
        if (tree)
            tree->DetachConnection();
    });
    tree->m_strRootLabel = kRemoteHostLabel;
    tree->m_strRootDir = link.RootDir();
    tree->SetRoot(link.Connection());
}

void CNorvoApp::ShowStatusText(const std::string& text)
{
    if (m_pMainFrame && m_pMainFrame->GetStatusBar())
        m_pMainFrame->SetStatusText(wxString::FromUTF8(text), kStatusPane);
}

void CNorvoApp::WaitForSplash()
{
    // The splash window, when one is shown, goes by itself; until then the Connect dialog
    // must not open over it.
    CSplashWnd::WaitForSplash();
}

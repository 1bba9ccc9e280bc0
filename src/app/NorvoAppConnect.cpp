// Connecting a region to a host: the Connect dialog, the session, the connection and the check
// of the profile's initial root directory; and the log of what the sessions reported.

#include "app/NorvoApp.h"

#include "app/MainFrame.h"
#include "app/SessionStatusDlg.h"
#include "net/CertificateDlg.h"
#include "net/ConnectionSecurity.h"
#include "net/RootDirectory.h"
#include "platform/inet/InternetException.h"
#include "platform/ui/MessageBox.h"
#include "profiles/ConnectDlg.h"
#include "res/StringTable.h"

#include <wx/utils.h>

#include <algorithm>
#include <vector>

namespace {
const char* const kCloseQuestion = "This will close current connection";
const char* const kNoRootDirectory = "The initial remote root directory specified on the profile does not exist";
// The library's error texts are shown cut to this many characters.
constexpr std::size_t kErrorTextLimit = 1024;
} // namespace

bool CNorvoApp::ConnectRegion()
{
    CConnectDlg dialog(m_pMainFrame, *this);
    dialog.regionIndex = connectionType == kRemoteRemote ? currentRegion : kLowerRegion;
    if (dialog.ShowModal() != wxID_OK)
        return false;
    currentRegion = dialog.regionIndex;
    RegionConnection& region = regions[static_cast<std::size_t>(currentRegion)];

    if (region.Connection()) {
        // On Cancel the caller roots the tree again on the same connection, which rereads it.
        if (AfxMessageBox(kCloseQuestion, wxOK | wxCANCEL) != wxOK)
            return true;
        region.CloseConnection();
        UpdateSecurityNotice();
    }
    if (!region.ReplaceSession(currentRegion)) {
        AfxMessageBox(LoadString(IDS_NO_INTERNET_SESSION), wxOK);
        return false;
    }
    const auto found = profiles.find(dialog.selectedProfile);
    if (found == profiles.end() || !found->second)
        return false;   // the dialog offers only listed profiles
    const HostProfile& profile = *found->second;

    // The area under the closed dialog is drawn before the connect blocks.
    if (m_pMainFrame) {
        m_pMainFrame->Refresh();
        m_pMainFrame->Update();
    }
    std::string failure;
    std::uint32_t failureCode = 0;
    bool rootExists = false;
    const auto declined = std::make_shared<bool>(false);
    {
        wxBusyCursor wait;
        try {
            region.Open(profile, SecurityFor(*this, profile, AskUserAboutCertificate(*this, declined)));
            rootExists = CheckRootDirectory(region.Connection(), profile.initialDir);
        } catch (const CInternetException& error) {
            failure = error.GetText().substr(0, kErrorTextLimit);
            failureCode = error.m_dwError;
            region.CloseConnection();
        }
    }
    UpdateSecurityNotice();
    if (region.Connection()) {
        if (!rootExists)
            AfxMessageBox(kNoRootDirectory, wxOK);   // the connection is used all the same
        return true;
    }
    if (*declined)
        AfxMessageBox("The connection to " + profile.host + " was cancelled: its certificate is not trusted.", wxOK);
    else if (failureCode == ERROR_INTERNET_SEC_CERT_ERRORS || failureCode == ERROR_INTERNET_SECURITY_CHANNEL_ERROR)
        AfxMessageBox(failure, wxOK | wxICON_WARNING);   // possibly someone in the middle
    else
        AfxMessageBox(failure.empty() ? LoadString(IDS_CONNECTION_EXCEPTION) : failure, wxOK);
    return false;
}

void CNorvoApp::UpdateSecurityNotice()
{
    if (!m_pMainFrame)
        return;
    std::vector<std::string> hosts;
    for (const RegionConnection& region : regions) {
        const CFtpConnection* connection = region.Connection();
        if (connection && !connection->IsEncrypted()
            && std::find(hosts.begin(), hosts.end(), connection->GetServerName()) == hosts.end())
            hosts.push_back(connection->GetServerName());
    }
    std::string notice;
    for (const std::string& host : hosts)
        notice += (notice.empty() ? "Not encrypted: " : ", ") + host;
    m_pMainFrame->ShowSecurityNotice(notice);
}

void CNorvoApp::OnSessionStatus(wxCommandEvent&)
{
    CSessionStatusDlg dialog(m_pMainFrame);
    dialog.ShowModal();
}

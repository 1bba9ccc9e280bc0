// What a user meets when a region connects with encryption: the question about a certificate
// nobody vouches for and what each answer leads to, a certificate that changed since it was
// trusted, a profile that requires TLS against a server without it, and the status bar's
// notice of a plain connection. Real vsftpd servers on 127.0.0.1, one with TLS and a
// self-signed certificate made for the test.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserView.h"
#include "ftp/support/ServerTest.h"
#include "ftp/support/TestCertificate.h"
#include "ftp/support/VsftpdServer.h"
#include "net/CertificateDlg.h"
#include "net/FileTransfer.h"
#include "net/FtpSession.h"
#include "net/TransferSetupFor.h"
#include "profiles/TrustedCertificates.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include "DialogDriving.h"

#include <gmock/gmock.h>
#include <wx/statusbr.h>
#include <wx/stattext.h>

using testing::HasSubstr;
using testing::Not;

namespace {

const TestCertificate& ServerCertificateFile()
{
    static const TestCertificate certificate;
    return certificate;
}

// Each server's top holds a file, so the profile's root directory (empty) counts as found.
VsftpdServer& TlsServer()
{
    static VsftpdServer server(VsftpdSetup{"127.0.0.1", VsftpdTlsConfig(ServerCertificateFile())});
    static const bool filled = (server.WriteFile("readme.txt", "hello"), true);
    (void)filled;
    return server;
}

// What the certificate dialog showed, and the answer it was given.
struct CertificateQuestion {
    std::string fingerprint;
    std::string texts;   // every label, one per line
};

class ConnectionSecurityTest : public testing::Test {
protected:
    void SetUp() override
    {
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (home.Path() / "registry.reg").string());
        ScopedDialogAnswerer cancel([](wxDialog*) { return static_cast<int>(wxID_CANCEL); });
        frame = &StartApplication();
    }

    void TearDown() override
    {
        StopApplication();
        TheApp().CloseRegions();
        registry.reset();
    }

    static HostProfile Profile(const FtpTestServer& server, ConnectionSecurity security)
    {
        HostProfile profile = LoopbackProfile(server.Name(), server);
        profile.security = security;
        return profile;
    }

    // Connects the lower region with `profile`; the certificate dialog, if it comes, is
    // answered with `answer` and recorded. Returns the messages shown.
    std::vector<std::string> Connect(const HostProfile& profile, int answer = wxID_CANCEL)
    {
        ScopedMessageRecorder messages([](const std::string&) { return wxOK; });
        ScopedConnectAnswers answers({profile}, [&](wxDialog* dialog) {
            EXPECT_NE(dynamic_cast<CCertificateDlg*>(dialog), nullptr) << "an unexpected dialog";
            CertificateQuestion question;
            question.fingerprint = TextOf(dialog, IDC_CERTIFICATE_FINGERPRINT);
            for (wxWindow* child : dialog->GetChildren()) {
                if (auto* label = dynamic_cast<wxStaticText*>(child))
                    question.texts += label->GetLabel().utf8_string() + "\n";
            }
            questions.push_back(question);
            return answer;
        });
        SendCommand(*frame, ID_SERVER_CONNECT);
        // Every connect but the first asks first to close the region's connection.
        std::erase(messages.texts, std::string("This will close current connection"));
        return messages.texts;
    }

    CFtpConnection* Lower() const { return TheApp().regions[1].Connection(); }

    std::string SecurityNotice() const
    {
        wxStatusBar* status = frame->GetStatusBar();
        if (status->GetFieldsCount() <= CMainFrame::kSecurityNoticePane)
            return {};
        return status->GetStatusText(CMainFrame::kSecurityNoticePane).utf8_string();
    }

    // Whether a copy within the lower region's host gets its second connection (encrypted, with
    // no question asked: any dialog is cancelled).
    bool CopyWithinTheHostConnects(const FtpTestServer& server) const
    {
        // The Connect dialog, answered by script, did not record the profile's name.
        TheApp().lastProfileName[1] = server.Name();
        ScopedDialogAnswerer refuse([](wxDialog*) { return static_cast<int>(wxID_CANCEL); });
        TransferSetup setup = TransferSetupFor(TheApp(), Lower(), {nullptr, Lower()}, [](DWORD_PTR context) {
            return std::make_unique<CFtpSession>(context);
        });
        CFileTransfer transfer(Lower(), Lower(), std::move(setup));
        const bool connected = transfer.HasExtraConnection();
        transfer.Finish();
        return connected;
    }

    std::optional<std::string> Trusted(const FtpTestServer& server) const
    {
        return TrustedFingerprint(TheApp(), "127.0.0.1", server.Port());
    }

    TempDir home;
    std::unique_ptr<ScopedEnv> registry;
    CMainFrame* frame = nullptr;
    std::vector<CertificateQuestion> questions;
};

TEST_F(ConnectionSecurityTest, SelfSignedCertificateIsAskedAboutOnceThenTrustedAlways)
{
    const std::string fingerprint = ServerCertificateFile().Sha256();
    EXPECT_THAT(Connect(Profile(TlsServer(), ConnectionSecurity::RequireTls), IDC_TRUST_ALWAYS), testing::IsEmpty());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].fingerprint, fingerprint);
    for (const char* shown : {"127.0.0.1:", "self-signed certificate", "Subject:", "CN=localhost", "Issuer:",
                              "Valid from:", "Valid until:", "GMT", "SHA-256 fingerprint:"})
        EXPECT_THAT(questions[0].texts, HasSubstr(shown));
    ASSERT_NE(Lower(), nullptr);
    EXPECT_TRUE(Lower()->IsEncrypted());
    EXPECT_EQ(frame->GetTree(1)->m_pConnection, Lower());
    EXPECT_EQ(Trusted(TlsServer()), fingerprint);
    EXPECT_EQ(SecurityNotice(), "");

    // The next connect, and the next run, trust it without asking.
    EXPECT_THAT(Connect(Profile(TlsServer(), ConnectionSecurity::RequireTls)), testing::IsEmpty());
    EXPECT_EQ(questions.size(), 1u);
    ASSERT_NE(Lower(), nullptr);
    EXPECT_TRUE(Lower()->IsEncrypted());
    StopApplication();
    TheApp().CloseRegions();
    {
        ScopedDialogAnswerer cancel([](wxDialog*) { return static_cast<int>(wxID_CANCEL); });
        frame = &StartApplication();
    }
    EXPECT_THAT(Connect(Profile(TlsServer(), ConnectionSecurity::TlsIfAvailable)), testing::IsEmpty());
    EXPECT_EQ(questions.size(), 1u);
    ASSERT_NE(Lower(), nullptr);
    EXPECT_TRUE(CopyWithinTheHostConnects(TlsServer()));
    EXPECT_EQ(questions.size(), 1u);
}

TEST_F(ConnectionSecurityTest, CertificateChangedSinceItWasTrustedIsRefusedNamingBoth)
{
    const TestCertificate earlier;
    ASSERT_EQ(TrustFingerprint(TheApp(), "127.0.0.1", TlsServer().Port(), earlier.Sha256()), "");
    const std::vector<std::string> messages = Connect(Profile(TlsServer(), ConnectionSecurity::RequireTls));
    EXPECT_TRUE(questions.empty()) << "a changed certificate is never offered for trust";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_THAT(messages[0], HasSubstr("changed"));
    EXPECT_THAT(messages[0], HasSubstr(earlier.Sha256()));
    EXPECT_THAT(messages[0], HasSubstr(ServerCertificateFile().Sha256()));
    EXPECT_EQ(Lower(), nullptr);
    EXPECT_EQ(frame->GetTree(1)->m_pConnection, nullptr);
    EXPECT_EQ(Trusted(TlsServer()), earlier.Sha256()) << "the refusal changes nothing stored";
}

TEST_F(ConnectionSecurityTest, CancelLeavesTheRegionUnconnectedAndTrustOnceHoldsForThatConnectionOnly)
{
    const std::vector<std::string> cancelled = Connect(Profile(TlsServer(), ConnectionSecurity::RequireTls));
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(cancelled, std::vector<std::string>{
                             "The connection to 127.0.0.1 was cancelled: its certificate is not trusted."});
    EXPECT_EQ(Lower(), nullptr);
    EXPECT_EQ(Trusted(TlsServer()), std::nullopt);

    EXPECT_THAT(Connect(Profile(TlsServer(), ConnectionSecurity::RequireTls), IDC_TRUST_ONCE), testing::IsEmpty());
    EXPECT_EQ(questions.size(), 2u);
    ASSERT_NE(Lower(), nullptr);
    EXPECT_EQ(Trusted(TlsServer()), std::nullopt);

    // A copy within the host opens a second connection to it: the same certificate, not asked again.
    EXPECT_TRUE(CopyWithinTheHostConnects(TlsServer()));
    EXPECT_EQ(questions.size(), 2u);

    // A new connect asks again.
    Connect(Profile(TlsServer(), ConnectionSecurity::RequireTls), IDC_TRUST_ONCE);
    EXPECT_EQ(questions.size(), 3u);
    EXPECT_NE(Lower(), nullptr);
}

TEST_F(ConnectionSecurityTest, PlainServerIsRefusedUnderRequireAndShownAsNotEncryptedUnderIfAvailable)
{
    VsftpdServer plain;
    plain.WriteFile("readme.txt", "hello");
    const std::vector<std::string> refused = Connect(Profile(plain, ConnectionSecurity::RequireTls));
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_THAT(refused[0], HasSubstr("does not offer encrypted connections"));
    EXPECT_EQ(Lower(), nullptr);
    EXPECT_THAT(plain.LogText(), HasSubstr("\"AUTH TLS\""));
    EXPECT_THAT(plain.LogText(), Not(HasSubstr("\"USER")));
    EXPECT_THAT(plain.LogText(), Not(HasSubstr("\"PASS")));
    EXPECT_EQ(SecurityNotice(), "");

    SessionLog().clear();
    EXPECT_THAT(Connect(Profile(plain, ConnectionSecurity::TlsIfAvailable)), testing::IsEmpty());
    ASSERT_NE(Lower(), nullptr);
    EXPECT_FALSE(Lower()->IsEncrypted());
    EXPECT_EQ(SecurityNotice(), "Not encrypted: 127.0.0.1");
    EXPECT_THAT(SessionLog(), HasSubstr("Not encrypted: the connection to 127.0.0.1 sends the password and files as "
                                        "clear text\r\n"));
    // The notice stays while the tree reads and reports, and goes with the plain connection.
    frame->GetTree(1)->SelectItem(frame->GetTree(1)->wxTreeCtrl::GetRootItem());
    PumpEvents();
    EXPECT_EQ(SecurityNotice(), "Not encrypted: 127.0.0.1");
    Connect(Profile(TlsServer(), ConnectionSecurity::RequireTls), IDC_TRUST_ONCE);
    ASSERT_NE(Lower(), nullptr);
    EXPECT_EQ(SecurityNotice(), "");
    EXPECT_EQ(frame->GetStatusBar()->GetFieldsCount(), 4);
}

} // namespace

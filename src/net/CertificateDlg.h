#pragma once
// CCertificateDlg: asks the user about a server certificate that the system's trust store does
// not vouch for (self-signed, expired, made for another name): it shows who the certificate
// names, who issued it, how long it is valid and its SHA-256 fingerprint, and ends with
// IDC_TRUST_ALWAYS, IDC_TRUST_ONCE or wxID_CANCEL.

#include "platform/inet/FtpSecurity.h"
#include "profiles/ProfileState.h"

#include <wx/dialog.h>

#include <memory>

enum CertificateDialogId : int {
    IDC_TRUST_ALWAYS = 1060,
    IDC_TRUST_ONCE = 1061,
    IDC_CERTIFICATE_FINGERPRINT = 1062,
    IDC_CERTIFICATE_PROBLEM = 1063,
};

class CCertificateDlg : public wxDialog {
public:
    CCertificateDlg(wxWindow* parent, const ServerCertificate& certificate);

private:
    void OnAnswer(wxCommandEvent& event);
};

// The approval for a connection's FtpSecurity: shows the dialog over the window in front;
// "Trust always" also keeps the fingerprint for the certificate's host and port in the
// registry. `declined`, when given, is set when the user cancels, so the caller can tell
// that from a certificate refused for another reason.
CertificateApproval AskUserAboutCertificate(const ProfileState& state, std::shared_ptr<bool> declined = nullptr);

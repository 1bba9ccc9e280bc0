#include "net/CertificateDlg.h"

#include "platform/ui/MessageBox.h"
#include "profiles/TrustedCertificates.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// Width of the texts in dialog units.
constexpr int kTextWidth = 260;

wxString ToWx(const std::string& text)
{
    return wxString::FromUTF8(text);
}

std::string Where(const ServerCertificate& certificate)
{
    return TrustedCertificateName(certificate.host, certificate.port);
}

} // namespace

CCertificateDlg::CCertificateDlg(wxWindow* parent, const ServerCertificate& certificate)
    : wxDialog(parent, wxID_ANY, "Unverified Server Certificate")
{
    const int width = ConvertDialogToPixels(wxSize(kTextWidth, -1)).x;
    const std::string why = certificate.problem.empty() ? std::string() : " (" + certificate.problem + ")";
    auto* problem = new wxStaticText(this, IDC_CERTIFICATE_PROBLEM,
                                     ToWx("The certificate of " + Where(certificate) + " could not be verified" + why
                                          + "."));
    problem->Wrap(width);
    auto* advice = new wxStaticText(this, wxID_ANY,
                                    "Trust it only if its fingerprint is the one the server's administrator gave "
                                    "you: someone in the middle of the connection shows a certificate of their own.");
    advice->Wrap(width);

    auto* details = new wxFlexGridSizer(2, FromDIP(4), FromDIP(8));
    details->AddGrowableCol(1);
    const auto addRow = [&](const char* label, wxWindow* value) {
        details->Add(new wxStaticText(this, wxID_ANY, label), wxSizerFlags().Top());
        details->Add(value, wxSizerFlags().Expand());
    };
    const auto addText = [&](const char* label, const std::string& text) {
        auto* value = new wxStaticText(this, wxID_ANY, ToWx(text));
        value->Wrap(width * 3 / 4);
        addRow(label, value);
    };
    addText("Subject:", certificate.subject);
    addText("Issuer:", certificate.issuer);
    addText("Valid from:", certificate.validFrom);
    addText("Valid until:", certificate.validUntil);
    // An edit, so that the fingerprint can be selected and compared or copied.
    auto* fingerprint = new wxTextCtrl(this, IDC_CERTIFICATE_FINGERPRINT, ToWx(certificate.sha256), wxDefaultPosition,
                                       wxDefaultSize, wxTE_READONLY | wxTE_MULTILINE | wxTE_NO_VSCROLL | wxTE_WORDWRAP);
    fingerprint->SetMinSize(wxSize(width * 3 / 4, fingerprint->GetCharHeight() * 3));
    addRow("SHA-256 fingerprint:", fingerprint);

    auto* always = new wxButton(this, IDC_TRUST_ALWAYS, "Trust always");
    auto* once = new wxButton(this, IDC_TRUST_ONCE, "Trust once");
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    // Enter must never trust a certificate by accident.
    cancel->SetDefault();
    cancel->SetFocus();
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    for (wxButton* button : {always, once, cancel})
        buttons->Add(button, wxSizerFlags().Border(wxLEFT, FromDIP(6)));

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(problem, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(12)));
    all->AddSpacer(FromDIP(10));
    all->Add(details, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, FromDIP(12)));
    all->AddSpacer(FromDIP(10));
    all->Add(advice, wxSizerFlags().Border(wxLEFT | wxRIGHT, FromDIP(12)));
    all->Add(buttons, wxSizerFlags().Expand().Border(wxALL, FromDIP(12)));
    SetSizerAndFit(all);
    CentreOnParent();

    Bind(wxEVT_BUTTON, &CCertificateDlg::OnAnswer, this, IDC_TRUST_ALWAYS);
    Bind(wxEVT_BUTTON, &CCertificateDlg::OnAnswer, this, IDC_TRUST_ONCE);
}

void CCertificateDlg::OnAnswer(wxCommandEvent& event)
{
    EndModal(event.GetId());
}

CertificateApproval AskUserAboutCertificate(const ProfileState& state, std::shared_ptr<bool> declined)
{
    // Kept by the connection for its reconnects: it holds nothing that may go before it but
    // the program's own state.
    return [&state, declined](const ServerCertificate& certificate) {
        CCertificateDlg dialog(MessageBoxParent(), certificate);
        const int answer = dialog.ShowModal();
        if (answer == IDC_TRUST_ALWAYS) {
            const std::string failure = TrustFingerprint(state, certificate.host, certificate.port, certificate.sha256);
            if (!failure.empty())
                AfxMessageBox("The certificate is trusted for this connection only. It could not be kept: " + failure
                                  + ".",
                              wxOK | wxICON_EXCLAMATION);
            return true;
        }
        if (answer == IDC_TRUST_ONCE)
            return true;
        if (declined)
            *declined = true;
        return false;
    };
}

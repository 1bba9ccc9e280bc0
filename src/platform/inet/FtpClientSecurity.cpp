// Explicit FTP over TLS (RFC 4217): AUTH TLS on the control connection before the login, the
// server's certificate, PBSZ 0 and PROT P after it, and the TLS layer of each data connection.

#include "platform/inet/FtpClient.h"

#include "platform/inet/TlsStream.h"

#include <algorithm>

namespace {

constexpr int kAuthAccepted = 234;

}  // namespace

void FtpClient::SecureControl()
{
    m_controlSecured = false;
    m_dataProtected = false;
    const ConnectionSecurity mode = m_login.security.mode;
    if (mode == ConnectionSecurity::Plain)
        return;
    // A server that spoke TLS on this connection before and no longer offers it on a reconnect
    // is more likely someone in the middle than a changed server.
    const bool required = mode == ConnectionSecurity::RequireTls || m_tls != nullptr;
    const FtpReply reply = Command("AUTH", "TLS");
    if (reply.code != kAuthAccepted) {
        if (required)
            throw CInternetException(ERROR_INTERNET_SECURITY_CHANNEL_ERROR,
                                     "The server does not offer encrypted connections, so the login was not sent"
                                     " (AUTH TLS answered: " + Scrub(reply.Text()) + ")");
        return;
    }
    // Whatever came with the 234 was sent in clear text, yet would be read as if it came
    // through TLS: a man in the middle could slip in a forged reply that way.
    if (m_control->HasBufferedReply())
        throw CInternetException(ERROR_INTERNET_SECURITY_CHANNEL_ERROR,
                                 "The server sent unencrypted data after agreeing to encrypt the connection");
    if (!m_tls)
        m_tls = std::make_unique<TlsContext>();
    const TlsStream* secured = nullptr;
    m_control->AddLayer([&](std::unique_ptr<ByteStream> plain) {
        auto tls = std::make_unique<TlsStream>(std::move(plain), *m_tls, m_login.host, nullptr, Timeout());
        secured = tls.get();
        return tls;
    });
    CheckCertificate(*secured);
    m_controlSecured = true;
}

void FtpClient::CheckCertificate(const TlsStream& stream)
{
    if (stream.Verified())
        return;
    ServerCertificate certificate = stream.PeerCertificate();
    certificate.port = m_login.port;
    if (!certificate.sha256.empty() && certificate.sha256 == m_approvedFingerprint)
        return;   // accepted earlier on this connection; this is a reconnect

    std::vector<std::string> trusted;
    for (const std::string& given : m_login.security.trustedFingerprints)
        if (std::optional<std::string> fingerprint = NormalizeFingerprint(given))
            trusted.push_back(*fingerprint);
    if (std::find(trusted.begin(), trusted.end(), certificate.sha256) != trusted.end()) {
        m_approvedFingerprint = certificate.sha256;
        return;
    }
    // A certificate other than the one trusted before is never offered for approval: it is
    // what an attacker in the middle would present.
    if (!trusted.empty())
        throw CInternetException(ERROR_INTERNET_SEC_CERT_ERRORS,
                                 "The server's certificate has changed: it is now " + certificate.sha256
                                     + ", but the trusted one is " + trusted.front() + ".\n"
                                     + DescribeCertificate(certificate));
    if (m_login.security.approve && m_login.security.approve(certificate)) {
        m_approvedFingerprint = certificate.sha256;
        return;
    }
    throw CInternetException(ERROR_INTERNET_SEC_CERT_ERRORS,
                             "The server's certificate is not trusted (" + certificate.problem + ").\n"
                                 + DescribeCertificate(certificate));
}

void FtpClient::ProtectData()
{
    if (!m_controlSecured)
        return;
    // PBSZ must come before PROT; 0 is the only size TLS uses.
    FtpReply reply = Command("PBSZ", "0");
    if (reply.IsSuccess())
        reply = Command("PROT", "P");
    if (reply.IsSuccess()) {
        m_dataProtected = true;
        return;
    }
    if (m_login.security.mode == ConnectionSecurity::RequireTls)
        throw CInternetException(ERROR_INTERNET_SECURITY_CHANNEL_ERROR,
                                 "The server refuses to encrypt file transfers: " + Scrub(reply.Text()));
}

std::unique_ptr<ByteStream> FtpClient::SecureData(std::unique_ptr<ByteStream> data, bool finalReplyPending)
{
    const auto* control = dynamic_cast<const TlsStream*>(&m_control->Stream());
    try {
        if (!control)
            throw CInternetException(ERROR_INTERNET_SECURITY_CHANNEL_ERROR, "The control connection is not encrypted");
        // Servers such as vsftpd accept a data connection only when it resumes the control
        // connection's session: the proof that both come from the same client.
        const TlsSession session = control->Session();
        auto tls = std::make_unique<TlsStream>(std::move(data), *m_tls, m_login.host, session.get(), Timeout());
        // Not resumed, the data connection ran a handshake of its own: it must show the same
        // certificate as the control connection, already judged.
        if (!tls->SessionReused() && tls->PeerCertificate().sha256 != control->PeerCertificate().sha256)
            throw CInternetException(ERROR_INTERNET_SEC_CERT_ERRORS,
                                     "The data connection presented another certificate than the server's");
        return tls;
    } catch (const CInternetException& error) {
        // The server answers the failed transfer once it sees the data connection go, often
        // with the reason (vsftpd: "522 SSL connection failed: session reuse required"). With
        // that reply read the control connection is in step again; without it, its state is
        // unknown.
        data.reset();
        std::optional<FtpReply> answer;
        if (finalReplyPending && m_control) {
            try {
                if (FtpReply reply = m_control->ReadReply(Timeout(), true); !reply.IsPreliminary())
                    answer = std::move(reply);
            } catch (const CInternetException&) {
            }
        }
        if (!answer) {
            DropControl();
            throw;
        }
        throw CInternetException(error.m_dwError, error.GetText() + " (the server: " + Scrub(answer->Text()) + ")");
    }
}

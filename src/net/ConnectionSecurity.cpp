#include "net/ConnectionSecurity.h"

#include "net/FtpSession.h"
#include "profiles/TrustedCertificates.h"

std::uint16_t ServerPort(const HostProfile& profile)
{
    return profile.useDefaultPort ? INTERNET_DEFAULT_FTP_PORT : static_cast<std::uint16_t>(profile.port);
}

FtpSecurity SecurityFor(const ProfileState& state, const HostProfile& profile, CertificateApproval approve)
{
    FtpSecurity security;
    security.mode = profile.security;
    if (security.mode != ConnectionSecurity::Plain) {
        if (auto trusted = TrustedFingerprint(state, profile.host, ServerPort(profile)))
            security.trustedFingerprints.push_back(*trusted);
    }
    security.approve = std::move(approve);
    return security;
}

FtpSecurity SecurityLike(const CFtpConnection& source, const HostProfile& profile)
{
    FtpSecurity security;
    security.mode = source.IsEncrypted() ? ConnectionSecurity::RequireTls : profile.security;
    if (std::string accepted = source.AcceptedFingerprint(); !accepted.empty())
        security.trustedFingerprints.push_back(std::move(accepted));
    return security;
}

void LogIfUnencrypted(const CFtpConnection& connection)
{
    if (connection.IsEncrypted())
        return;
    SessionLog() += "Not encrypted: the connection to " + connection.GetServerName()
                    + " sends the password and files as clear text\r\n";
}

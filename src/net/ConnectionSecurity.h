#pragma once
// The protection a connection is opened with, from its profile and the certificates the user
// trusts, and what the user is told about a connection that is not encrypted.

#include "platform/inet/FtpConnection.h"
#include "platform/inet/FtpSecurity.h"
#include "profiles/HostProfile.h"
#include "profiles/ProfileState.h"

#include <cstdint>
#include <string>

// The port the profile connects to: the standard one when it uses the default.
std::uint16_t ServerPort(const HostProfile& profile);

// The profile's choice, the fingerprint the user trusts for its host and port (if any), and
// `approve` for a certificate that neither the trust store nor that fingerprint vouches for.
FtpSecurity SecurityFor(const ProfileState& state, const HostProfile& profile, CertificateApproval approve = {});

// The protection of a second connection to the server `source` is connected to (a copy within
// one host): encrypted when `source` is, whatever the profile allows, and trusting the
// certificate `source` accepted, so the user is not asked twice about it; any other
// certificate fails it.
FtpSecurity SecurityLike(const CFtpConnection& source, const HostProfile& profile);

// Tells the session log that `connection` is plain, when it is.
void LogIfUnencrypted(const CFtpConnection& connection);

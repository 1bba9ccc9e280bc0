#pragma once
// How a connection is protected: explicit FTP over TLS (AUTH TLS, PBSZ 0, PROT P) or plain,
// and which server certificates are accepted beyond those the system's trust store verifies.

#include "platform/inet/ServerCertificate.h"

#include <functional>
#include <string>
#include <vector>

enum class ConnectionSecurity {
    RequireTls,      // refuse a server without TLS before the password is sent
    TlsIfAvailable,  // TLS when the server offers it, else plain
    Plain,           // never ask for TLS
};

// Called once for a certificate the system's trust store does not verify for the host and
// that none of the trusted fingerprints names. True accepts it for this connection (and its
// reconnects); false refuses the connection. The window's "Trust always / Trust once" dialog
// goes here; it runs on the calling thread, inside the connect.
using CertificateApproval = std::function<bool(const ServerCertificate&)>;

struct FtpSecurity {
    ConnectionSecurity mode = ConnectionSecurity::Plain;
    // SHA-256 fingerprints accepted without the trust store (hex, with or without colons,
    // either case), e.g. one the user trusted before.
    std::vector<std::string> trustedFingerprints;
    CertificateApproval approve;
};

#pragma once
// What a user needs to decide about a server's certificate, and why the system did not
// accept it on its own.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ServerCertificate {
    std::string host;          // the name or address the connection was made to
    std::uint16_t port = 0;
    std::string subject;       // RFC 2253 form, control bytes escaped
    std::string issuer;
    std::string validFrom;     // "Dec  8 13:00:00 2026 GMT"
    std::string validUntil;
    std::string sha256;        // "AB:CD:...", 32 bytes in upper-case hex
    std::string problem;       // the trust store's verdict: "self-signed certificate", ...
};

// The certificate as lines of text for an error message or a dialog.
std::string DescribeCertificate(const ServerCertificate& certificate);

// A SHA-256 fingerprint as the user may write it (hex, with or without colons, either case)
// in the form of ServerCertificate::sha256; nullopt when it is not 32 bytes of hex.
std::optional<std::string> NormalizeFingerprint(std::string_view text);

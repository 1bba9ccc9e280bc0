#pragma once
// A server certificate made for a test with `openssl req` in a temporary folder: self-signed,
// or signed by a test authority whose certificate a test can make the system trust store
// (SSL_CERT_FILE) for the length of a test.

#include "support/TempDir.h"

#include <filesystem>
#include <string>

class TestCertificate {
public:
    enum class Signer { Self, TestAuthority };

    // For "localhost" and 127.0.0.1 and ::1 unless `commonName` says otherwise. Throws
    // std::runtime_error when openssl fails.
    explicit TestCertificate(Signer signer = Signer::Self, const std::string& commonName = "localhost");

    std::filesystem::path CertificateFile() const { return m_dir.Path() / "server.pem"; }
    std::filesystem::path KeyFile() const { return m_dir.Path() / "server.key"; }
    // The authority's certificate (only for Signer::TestAuthority), to stand for the trust store.
    std::filesystem::path AuthorityFile() const { return m_dir.Path() / "ca.pem"; }
    // "AB:CD:..." as `openssl x509 -fingerprint -sha256` prints it.
    const std::string& Sha256() const { return m_sha256; }

private:
    TempDir m_dir;
    std::string m_sha256;
};

// vsftpd's config lines (VsftpdSetup::extraConfig) for explicit FTP over TLS with `certificate`,
// required for logins and data.
std::string VsftpdTlsConfig(const TestCertificate& certificate);

#include "ftp/support/TestCertificate.h"

#include "ftp/support/ChildProcess.h"

#include <stdexcept>

namespace {

constexpr const char* kOpenssl = "/usr/bin/openssl";

void Run(const std::vector<std::string>& argv)
{
    CommandResult result = RunCommand(argv);
    if (result.exitCode != 0)
        throw std::runtime_error("openssl failed: " + result.err);
}

// Elliptic-curve keys: made in milliseconds, where RSA keys would slow every test start.
std::vector<std::string> NewKeyArguments(const std::string& keyFile)
{
    return {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", keyFile};
}

} // namespace

TestCertificate::TestCertificate(Signer signer, const std::string& commonName)
{
    const std::string dir = m_dir.Str();
    const std::string names = "subjectAltName=DNS:" + commonName + ",IP:127.0.0.1,IP:::1";
    const std::string key = KeyFile().string();
    const std::string certificate = CertificateFile().string();
    if (signer == Signer::Self) {
        std::vector<std::string> argv = {kOpenssl, "req", "-x509", "-days", "2", "-subj", "/CN=" + commonName,
                                         "-addext", names, "-out", certificate};
        for (const std::string& argument : NewKeyArguments(key))
            argv.push_back(argument);
        Run(argv);
    } else {
        const std::string caKey = dir + "/ca.key";
        std::vector<std::string> ca = {kOpenssl, "req", "-x509", "-days", "2", "-subj", "/CN=Ferrix Test Authority",
                                       "-out", AuthorityFile().string()};
        for (const std::string& argument : NewKeyArguments(caKey))
            ca.push_back(argument);
        Run(ca);
        std::vector<std::string> request = {kOpenssl, "req", "-subj", "/CN=" + commonName, "-out", dir + "/server.csr"};
        for (const std::string& argument : NewKeyArguments(key))
            request.push_back(argument);
        Run(request);
        const std::string extensions = dir + "/names.ext";
        m_dir.WriteFile("names.ext", names + "\n");
        Run({kOpenssl, "x509", "-req", "-days", "2", "-in", dir + "/server.csr", "-CA", AuthorityFile().string(),
             "-CAkey", caKey, "-CAcreateserial", "-extfile", extensions, "-out", certificate});
    }
    CommandResult fingerprint = RunCommand({kOpenssl, "x509", "-in", certificate, "-noout", "-fingerprint", "-sha256"});
    const std::size_t equals = fingerprint.out.find('=');
    if (fingerprint.exitCode != 0 || equals == std::string::npos)
        throw std::runtime_error("openssl cannot read the certificate: " + fingerprint.err);
    m_sha256 = fingerprint.out.substr(equals + 1);
    while (!m_sha256.empty() && (m_sha256.back() == '\n' || m_sha256.back() == '\r'))
        m_sha256.pop_back();
}

std::string VsftpdTlsConfig(const TestCertificate& certificate)
{
    return "ssl_enable=YES\nrsa_cert_file=" + certificate.CertificateFile().string() + "\nrsa_private_key_file="
           + certificate.KeyFile().string() + "\nforce_local_logins_ssl=YES\nforce_local_data_ssl=YES\n"
           // vsftpd's default, stated: a data connection must resume the control connection's session.
           + "require_ssl_reuse=YES\n";
}

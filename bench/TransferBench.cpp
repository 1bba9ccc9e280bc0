// Throughput of downloads and uploads through CInternetFile in the program's block size,
// against curl on the same file and the same loopback server in the same run.
//
//   bench_TransferBench [--tls] [MiB]     (default 512)
//
// Uses vsftpd when run as root (it must run as root), pyftpdlib otherwise; says which. With
// --tls both sides use explicit FTP over TLS (curl with --ssl-reqd) on a server certificate
// made for the run.

#include "bench/BenchFiles.h"
#include "ftp/support/ChildProcess.h"
#include "ftp/support/FtpTestServer.h"
#include "ftp/support/PyftpdlibServer.h"
#include "ftp/support/TestCertificate.h"
#include "ftp/support/VsftpdServer.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"
#include "platform/inet/InternetSession.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kBlockSize = 10240;   // what the program's copy loop uses
constexpr std::uint64_t kDefaultMiB = 512;
constexpr int kRounds = 2;                    // best of, to step over a cold start
constexpr const char* kCurl = "/usr/bin/curl";
constexpr auto kCurlTimeout = std::chrono::minutes(10);

struct ConnectionCloser {
    void operator()(CFtpConnection* connection) const
    {
        connection->Close();
        delete connection;
    }
};

class OurClient {
public:
    OurClient(const FtpTestServer& server, const FtpSecurity& security)
        : m_connection(m_session.GetFtpConnection("127.0.0.1", server.User(), server.Password(), server.Port(), true,
                                                  security))
    {
    }
    void Download(const std::string& remote, const fs::path& local)
    {
        std::unique_ptr<CInternetFile> file(m_connection->OpenFile(remote, GENERIC_READ));
        std::ofstream out(local, std::ios::binary);
        std::vector<char> block(kBlockSize);
        while (std::uint32_t got = file->Read(block.data(), kBlockSize))
            out.write(block.data(), got);
        file->Close();
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + local.string());
    }
    void Upload(const fs::path& local, const std::string& remote)
    {
        std::ifstream in(local, std::ios::binary);
        std::unique_ptr<CInternetFile> file(m_connection->OpenFile(remote, GENERIC_WRITE));
        std::vector<char> block(kBlockSize);
        while (in.read(block.data(), kBlockSize) || in.gcount() > 0)
            file->Write(block.data(), static_cast<std::uint32_t>(in.gcount()));
        file->Close();
    }

private:
    CInternetSession m_session{"ferrix transfer bench"};
    std::unique_ptr<CFtpConnection, ConnectionCloser> m_connection;
};

std::vector<std::string> g_curlTls;   // --ssl-reqd and the certificate to trust, with --tls

void Curl(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = {kCurl, "-s", "-S"};
    argv.insert(argv.end(), g_curlTls.begin(), g_curlTls.end());
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    CommandResult result = RunCommand(argv, {}, kCurlTimeout);
    if (result.exitCode != 0)
        throw std::runtime_error("curl failed: " + result.err);
}

void PrintRow(const char* direction, std::uint64_t size, double ours, double curl)
{
    double oursRate = static_cast<double>(size) / ours / 1e6;
    double curlRate = static_cast<double>(size) / curl / 1e6;
    std::printf("%-9s ours %8.1f MB/s   curl %8.1f MB/s   ratio ours/curl %.2f\n", direction, oursRate, curlRate,
                oursRate / curlRate);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const bool tls = !arguments.empty() && arguments.front() == "--tls";
    if (tls)
        arguments.erase(arguments.begin());
    const std::uint64_t mib = !arguments.empty() ? std::stoull(arguments.front()) : kDefaultMiB;
    const std::uint64_t size = mib * 1024 * 1024;
    try {
        std::unique_ptr<TestCertificate> certificate;
        FtpSecurity security;
        VsftpdSetup vsftpd;
        PyftpdlibSetup pyftpdlib;
        if (tls) {
            certificate = std::make_unique<TestCertificate>();
            security.mode = ConnectionSecurity::RequireTls;
            security.trustedFingerprints.push_back(certificate->Sha256());
            g_curlTls = {"--ssl-reqd", "--cacert", certificate->CertificateFile().string()};
            vsftpd.extraConfig = "ssl_enable=YES\nrsa_cert_file=" + certificate->CertificateFile().string()
                                 + "\nrsa_private_key_file=" + certificate->KeyFile().string() + "\n";
            pyftpdlib.certificateFile = certificate->CertificateFile().string();
            pyftpdlib.keyFile = certificate->KeyFile().string();
        }
        std::unique_ptr<FtpTestServer> server;
        if (geteuid() == 0)
            server = std::make_unique<VsftpdServer>(vsftpd);
        else
            server = std::make_unique<PyftpdlibServer>(pyftpdlib);
        std::printf("server: %s on 127.0.0.1:%u (passive%s), file of %llu MiB, blocks of %u bytes\n",
                    server->Name().c_str(), server->Port(), tls ? ", explicit TLS" : "",
                    static_cast<unsigned long long>(mib), kBlockSize);

        fs::path source = server->WriteFile("big.bin", "");
        WriteRandomFile(source, size);
        TempDir local;
        const fs::path downloaded = local.Path() / "down.bin";
        const std::string url = "ftp://" + server->User() + ":" + server->Password() + "@127.0.0.1:" +
                                std::to_string(server->Port()) + "/";
        OurClient ours(*server, security);

        double bestOursDown = 1e300, bestCurlDown = 1e300, bestOursUp = 1e300, bestCurlUp = 1e300;
        for (int round = 0; round < kRounds; ++round) {
            bestOursDown = std::min(bestOursDown, Seconds([&] { ours.Download("/big.bin", downloaded); }));
            RequireSize(downloaded, size);
            fs::remove(downloaded);
            bestCurlDown = std::min(bestCurlDown, Seconds([&] { Curl({"-o", downloaded.string(), url + "big.bin"}); }));
            RequireSize(downloaded, size);

            bestOursUp = std::min(bestOursUp, Seconds([&] { ours.Upload(downloaded, "/up-ours.bin"); }));
            RequireSize(server->Root() / "up-ours.bin", size);
            fs::remove(server->Root() / "up-ours.bin");
            bestCurlUp = std::min(bestCurlUp, Seconds([&] { Curl({"-T", downloaded.string(), url + "up-curl.bin"}); }));
            RequireSize(server->Root() / "up-curl.bin", size);
            fs::remove(server->Root() / "up-curl.bin");
            fs::remove(downloaded);
        }
        std::printf("best of %d rounds:\n", kRounds);
        PrintRow("download", size, bestOursDown, bestCurlDown);
        PrintRow("upload", size, bestOursUp, bestCurlUp);
    } catch (const CInternetException& error) {
        std::fprintf(stderr, "bench: FTP error %u: %s\n", error.m_dwError, error.GetText().c_str());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench: %s\n", error.what());
        return 1;
    }
    return 0;
}

// The transfer engine with its "Copying..." dialog showing, against curl on the same loopback
// server in the same run: one large file each way, and many small files each way on one
// connection (curl reusing its connection as well). Prints MB/s, files per second, the FTP
// commands and data connections per small file as the server's own log counts them, and what
// those round trips would cost at 20 ms.
//
//   xvfb-run -a bench_CopyEngineBench [large MiB (1024)] [small files (2000)]
//
// Uses vsftpd when run as root (its log gives the command counts), pyftpdlib otherwise.

#include "bench/BenchFiles.h"
#include "bench/ServerLogCounter.h"
#include "ftp/support/ChildProcess.h"
#include "ftp/support/FtpTestServer.h"
#include "ftp/support/PyftpdlibServer.h"
#include "ftp/support/VsftpdServer.h"
#include "net/CopyProgressDlg.h"
#include "net/FileTransfer.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetSession.h"
#include "platform/localfs/DriveMap.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kDefaultMiB = 1024;
constexpr int kDefaultSmallFiles = 2000;
constexpr std::size_t kSmallFileSize = 4096;
constexpr const char* kCurl = "/usr/bin/curl";
constexpr auto kCurlTimeout = std::chrono::minutes(20);
constexpr double kWideAreaRtt = 0.020;

void Curl(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = {kCurl, "-s", "-S", "--ftp-pasv"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const CommandResult result = RunCommand(argv, {}, kCurlTimeout);
    if (result.exitCode != 0)
        throw std::runtime_error("curl failed: " + result.err);
}

std::string Local(const fs::path& path)
{
    return "C:" + path.string();   // drive C: is the file-system root
}

struct ConnectionCloser {
    void operator()(CFtpConnection* connection) const
    {
        connection->Close();
        delete connection;
    }
};

// One batch as the program runs it: the engine, with its dialog over the main window.
class Batch {
public:
    Batch(wxWindow* owner, Endpoint source, Endpoint destination) : m_transfer(source, destination)
    {
        m_transfer.AttachDialog(new CCopyProgressDlg(owner));
    }
    ~Batch() { m_transfer.Finish(); }
    void Copy(const std::string& source, const std::string& destination)
    {
        const CopyResult result = m_transfer.CopyFile(source, destination);
        if (result != Copied && result != Replaced)
            throw std::runtime_error("copy of " + source + " failed: " + m_transfer.GetLastError());
    }

private:
    CFileTransfer m_transfer;
};

void PrintRate(const char* what, double bytes, double ours, double curl)
{
    const double oursRate = bytes / ours / 1e6;
    const double curlRate = bytes / curl / 1e6;
    std::printf("%-24s ours %8.1f MB/s   curl %8.1f MB/s   ours/curl %.2f\n", what, oursRate, curlRate, oursRate / curlRate);
}

void PrintFiles(const char* what, int files, double ours, double curl, ServerCount oursCount, ServerCount curlCount)
{
    const double oursRate = files / ours;
    const double curlRate = files / curl;
    std::printf("%-24s ours %8.0f files/s  curl %8.0f files/s  ours/curl %.2f\n", what, oursRate, curlRate,
                oursRate / curlRate);
    if (oursCount.commands < 0)
        return;
    const auto perFile = [files](long n) { return static_cast<double>(n) / files; };
    // Each command is one round trip; each data connection adds one more (its connect).
    const auto at20ms = [&](ServerCount c) { return (perFile(c.commands) + perFile(c.dataConnections)) * kWideAreaRtt * 1000; };
    std::printf("%-24s ours %.2f commands, %.2f data connections per file (%.0f ms at 20 ms RTT); "
                "curl %.2f, %.2f (%.0f ms)\n",
                "", perFile(oursCount.commands), perFile(oursCount.dataConnections), at20ms(oursCount),
                perFile(curlCount.commands), perFile(curlCount.dataConnections), at20ms(curlCount));
}

int Run(std::uint64_t mib, int smallFiles)
{
    std::unique_ptr<FtpTestServer> server;
    if (geteuid() == 0)
        server = std::make_unique<VsftpdServer>();
    else
        server = std::make_unique<PyftpdlibServer>();
    const std::uint64_t size = mib * 1024 * 1024;
    std::printf("server: %s on 127.0.0.1:%u (passive); %llu MiB file; %d files of %zu bytes\n", server->Name().c_str(),
                server->Port(), static_cast<unsigned long long>(mib), smallFiles, kSmallFileSize);

    auto* frame = new wxFrame(nullptr, wxID_ANY, "Ferrix FTP", wxDefaultPosition, wxSize(900, 600));
    frame->Show();
    // Let a window manager place the frame before the dialogs centre on it.
    for (int round = 0; round < 20; ++round) {
        wxTheApp->Yield(true);
        wxMilliSleep(25);
    }

    CInternetSession session("ferrix copy bench");
    std::unique_ptr<CFtpConnection, ConnectionCloser> connection(
        session.GetFtpConnection("127.0.0.1", server->User(), server->Password(), server->Port(), true));
    const std::string url = "ftp://" + server->User() + ":" + server->Password() + "@127.0.0.1:" +
                            std::to_string(server->Port()) + "/";
    TempDir local;
    LogCounter log(*server);

    // One large file each way.
    WriteRandomFile(server->WriteFile("big.bin", ""), size, 1);
    const fs::path down = local.Path() / "down.bin";
    const double oursDown = Seconds([&] { Batch(frame, connection.get(), nullptr).Copy("/big.bin", Local(down)); });
    RequireSize(down, size);
    fs::remove(down);
    const double curlDown = Seconds([&] { Curl({"-o", down.string(), url + "big.bin"}); });
    RequireSize(down, size);
    fs::remove(server->Root() / "big.bin");
    const double oursUp = Seconds([&] { Batch(frame, nullptr, connection.get()).Copy(Local(down), "/up-ours.bin"); });
    RequireSize(server->Root() / "up-ours.bin", size);
    fs::remove(server->Root() / "up-ours.bin");
    const double curlUp = Seconds([&] { Curl({"-T", down.string(), url + "up-curl.bin"}); });
    RequireSize(server->Root() / "up-curl.bin", size);
    fs::remove(server->Root() / "up-curl.bin");
    fs::remove(down);

    // Many small files each way, one connection.
    std::vector<std::string> names;
    server->MakeDir("small");
    fs::create_directories(local.Path() / "up");
    for (int i = 0; i < smallFiles; ++i) {
        names.push_back("f" + std::to_string(i) + ".bin");
        std::string content(kSmallFileSize, static_cast<char>('a' + i % 26));
        server->WriteFile("small/" + names.back(), content);
        std::ofstream(local.Path() / "up" / names.back(), std::ios::binary) << content;
    }
    fs::create_directories(local.Path() / "ours");
    fs::create_directories(local.Path() / "curl");
    log.Start();
    const double oursSmallDown = Seconds([&] {
        Batch batch(frame, connection.get(), nullptr);
        for (const std::string& name : names)
            batch.Copy("/small/" + name, Local(local.Path() / "ours" / name));
    });
    const ServerCount oursDownCount = log.Count();
    std::vector<std::string> curlArguments;
    for (const std::string& name : names) {
        curlArguments.insert(curlArguments.end(), {"-o", (local.Path() / "curl" / name).string(), url + "small/" + name});
    }
    log.Start();
    const double curlSmallDown = Seconds([&] { Curl(curlArguments); });
    const ServerCount curlDownCount = log.Count();

    server->MakeDir("ours-up");
    server->MakeDir("curl-up");
    log.Start();
    const double oursSmallUp = Seconds([&] {
        Batch batch(frame, nullptr, connection.get());
        for (const std::string& name : names)
            batch.Copy(Local(local.Path() / "up" / name), "/ours-up/" + name);
    });
    const ServerCount oursUpCount = log.Count();
    std::string glob = "{";
    for (const std::string& name : names)
        glob += (local.Path() / "up" / name).string() + ",";
    glob.back() = '}';
    log.Start();
    const double curlSmallUp = Seconds([&] { Curl({"-T", glob, url + "curl-up/"}); });
    const ServerCount curlUpCount = log.Count();
    for (const std::string& name : names) {
        RequireSize(local.Path() / "ours" / name, kSmallFileSize);
        RequireSize(server->Root() / "ours-up" / name, kSmallFileSize);
    }

    PrintRate("large file download", static_cast<double>(size), oursDown, curlDown);
    PrintRate("large file upload", static_cast<double>(size), oursUp, curlUp);
    PrintFiles("small files download", smallFiles, oursSmallDown, curlSmallDown, oursDownCount, curlDownCount);
    PrintFiles("small files upload", smallFiles, oursSmallUp, curlSmallUp, oursUpCount, curlUpCount);
    std::printf("(ours with the dialog showing and the local files made durable when the batch ends; curl does not sync)\n");
    frame->Destroy();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint64_t mib = argc > 1 ? std::stoull(argv[1]) : kDefaultMiB;
    const int smallFiles = argc > 2 ? std::stoi(argv[2]) : kDefaultSmallFiles;
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "bench: cannot start wxWidgets (is there a display?)\n");
        return 1;
    }
    int status = 1;
    try {
        status = Run(mib, smallFiles);
    } catch (const CInternetException& error) {
        std::fprintf(stderr, "bench: FTP error %u: %s\n", error.m_dwError, error.GetText().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench: %s\n", error.what());
    }
    wxEntryCleanup();
    return status;
}

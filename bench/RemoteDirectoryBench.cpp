// How fast a large remote directory is listed and shown: 20,000 files and 2,000 subdirectories
// in one folder of a loopback server, read into a remote tree and shown in its file list, end
// to end (the listing, the tree's items, the list's rows, drawn). The peer is curl sending the
// listing command the engine uses on that server (MLSD where the server offers it, LIST
// otherwise) on the same folder in the same run. Goal: at most 1.3 times curl's time.
//
//   xvfb-run -a bench_RemoteDirectoryBench
//
// Runs on pyftpdlib, and on vsftpd as well when run as root (vsftpd must run as root).

#include "BenchFiles.h"
#include "BenchWindow.h"
#include "browser/RootLabels.h"
#include "ftp/support/ChildProcess.h"
#include "ftp/support/FtpTestServer.h"
#include "ftp/support/PyftpdlibServer.h"
#include "ftp/support/VsftpdServer.h"
#include "net/FtpSession.h"
#include "net/RegionConnection.h"
#include "platform/inet/FtpClient.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"
#include "profiles/HostProfile.h"

#include <wx/init.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int kFiles = 20000;
constexpr int kDirectories = 2000;
constexpr int kRounds = 9;   // best of, to step over a cold start and a busy machine
constexpr const char* kCurl = "/usr/bin/curl";
constexpr auto kCurlTimeout = std::chrono::minutes(5);
constexpr double kGoalRatio = 1.3;

// Names out of order, with a few of the characters servers must get right.
void MakeBigFolder(const FtpTestServer& server, const std::string& name)
{
    const std::filesystem::path root = server.MakeDir(name);
    for (int i = 0; i < kDirectories; ++i)
        std::filesystem::create_directory(root / ("folder " + std::to_string((i * 7919LL) % kDirectories)));
    for (int i = 0; i < kFiles; ++i) {
        const std::string file = (root / ("file-" + std::to_string((i * 104729LL) % kFiles) + ".dat")).string();
        const int fd = ::open(file.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const std::string content(static_cast<std::size_t>(i % 100), 'x');
            if (::write(fd, content.data(), content.size()) < 0)
                std::perror("write");
            ::close(fd);
        }
    }
    server.HandOver(root);
}

struct Result {
    double ours = 1e300;
    double engine = 1e300;   // the listing alone, without the window
    double list = 0;         // of the best round: filling and drawing the file list
    double curl = 1e300;
    std::size_t treeItems = 0;
    int listRows = 0;
    std::string command;
};

Result Measure(FtpTestServer& server, const std::string& folder, CBrowserView& tree, FileView& list)
{
    HostProfile profile;
    profile.host = "127.0.0.1";
    profile.user = server.User();
    profile.password = server.Password();
    profile.port = static_cast<std::int16_t>(server.Port());
    profile.useDefaultPort = 0;
    profile.passive = 1;
    profile.initialDir = "/" + folder;
    RegionConnection region;
    region.ReplaceSession(1);
    region.Open(profile, FtpSecurity{});   // plain, as the test server speaks

    Result result;
    const bool mlsd = region.Connection()->Client().Features().Has("MLST");
    result.command = mlsd ? "MLSD" : "LIST";
    std::vector<std::string> curl = {kCurl, "-s", "-S", "-o", "/dev/null"};
    if (mlsd)
        curl.insert(curl.end(), {"-X", "MLSD"});
    curl.push_back("ftp://" + server.User() + ":" + server.Password() + "@127.0.0.1:" + std::to_string(server.Port())
                   + "/" + folder + "/");

    tree.m_strRootLabel = kRemoteHostLabel;
    tree.m_strRootDir = region.RootDir();
    for (int round = 0; round < kRounds; ++round) {
        // What the last round showed goes first, untimed: a directory is listed into a tree
        // that does not yet hold it, as when a region connects.
        tree.ClearTree();
        double listSeconds = 0;
        const double total = Seconds([&] {
            tree.SetRoot(region.Connection());
            tree.Update();
            listSeconds = Seconds([&] {
                tree.ShowItemFiles(tree.GetRootRef());
                list.Update();
            });
        });
        if (total < result.ours) {
            result.ours = total;
            result.list = listSeconds;
        }
        result.engine = std::min(result.engine, Seconds([&] {
            CFtpFileFind finder(region.Connection());
            for (bool more = finder.FindFile(region.RootDir() + "/*"); more;)
                more = finder.FindNextFile();
            finder.Close();
        }));
        result.curl = std::min(result.curl, Seconds([&] {
            const CommandResult run = RunCommand(curl, {}, kCurlTimeout);
            if (run.exitCode != 0)
                throw std::runtime_error("curl failed: " + run.err);
        }));
    }
    result.treeItems = tree.GetChildrenCount(tree.wxTreeCtrl::GetRootItem(), false);
    result.listRows = list.GetItemCount();
    tree.ClearTree();
    tree.DetachConnection();
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp);
    wxInitializer init(argc, argv);
    if (!init.IsOk()) {
        std::fprintf(stderr, "cannot initialise wxWidgets (run under xvfb-run)\n");
        return 1;
    }
    BenchWindow window;

    int status = 0;
    std::vector<std::function<std::unique_ptr<FtpTestServer>()>> servers = {
        [] { return std::make_unique<PyftpdlibServer>(); }};
    if (geteuid() == 0)
        servers.insert(servers.begin(), [] { return std::make_unique<VsftpdServer>(); });
    for (const auto& start : servers) {
        try {
            std::unique_ptr<FtpTestServer> server = start();
            std::printf("%s: creating %d files and %d folders ...\n", server->Name().c_str(), kFiles, kDirectories);
            MakeBigFolder(*server, "big");
            const Result result = Measure(*server, "big", *window.tree, *window.list);
            const double ratio = result.ours / result.curl;
            std::printf("%s: tree %zu folders, list %d files; ours %.3f s, curl %s %.3f s, ratio %.2f (goal at most %.1f)%s\n",
                        server->Name().c_str(), result.treeItems, result.listRows, result.ours, result.command.c_str(),
                        result.curl, ratio, kGoalRatio, ratio <= kGoalRatio ? "" : "  ABOVE GOAL");
            std::printf("%s: of which the file list %.3f s; the listing alone, without the window: %.3f s, ratio %.2f\n",
                        server->Name().c_str(), result.list, result.engine, result.engine / result.curl);
            if (result.treeItems != static_cast<std::size_t>(kDirectories) || result.listRows != kFiles)
                std::printf("%s: not everything was shown\n", server->Name().c_str());
        } catch (const CInternetException& error) {
            std::fprintf(stderr, "bench: FTP error %u: %s\n", error.m_dwError, error.GetText().c_str());
            status = 1;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "bench: %s\n", error.what());
            status = 1;
        }
    }
    return status;
}

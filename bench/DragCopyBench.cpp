// A tree of many small files copied the way the user copies: a directory of the local tree
// dropped on a host's folder in the program's real window (the drop code with its copy batch,
// "Copying..." dialog and tree updates), then the copy dropped back on a local folder. Against
// curl (one process for the whole tree, --ftp-create-dirs) and lftp's mirror (-R to upload) on
// the same server in the same run. Prints files per second and the ratios.
//
//   xvfb-run -a bench_DragCopyBench [folders (100)] [files per folder (20)] [bytes per file (4096)]
//
// Uses vsftpd when run as root (it must run as root), pyftpdlib otherwise.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "bench/BenchFiles.h"
#include "bench/PeerClients.h"
#include "bench/ServerLogCounter.h"
#include "browser/BrowserView.h"
#include "ftp/support/PyftpdlibServer.h"
#include "ftp/support/VsftpdServer.h"
#include "platform/inet/InternetException.h"
#include "platform/localfs/DriveMap.h"
#include "platform/ui/MessageBox.h"
#include "profiles/HostProfile.h"
#include "support/SampleTree.h"
#include "support/TempDir.h"

#include <wx/modalhook.h>
#include <wx/utils.h>

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kDefaultFolders = 100;
constexpr int kDefaultFilesPerFolder = 20;
constexpr std::size_t kDefaultFileSize = 4096;
constexpr int kRounds = 3;   // best of, to step over a cold start and a busy machine
constexpr double kGoal = 0.8;
const char* const kTreeName = "tree";

// The program's start-up without its Connect dialog: the benchmark connects the region itself.
class BenchApp : public CNorvoApp {
public:
    bool OnInit() override { return true; }
    void OnAssertFailure(const wxChar* file, int line, const wxChar*, const wxChar* cond, const wxChar*) override
    {
        std::fprintf(stderr, "bench: wxWidgets assertion %s at %s:%d\n", wxString(cond).utf8_str().data(),
                     wxString(file).utf8_str().data(), line);
    }
    bool StartUp() { return CNorvoApp::OnInit(); }
};

// Cancels every modal dialog: the start-up's Connect dialog, and anything else the copy would
// ask (nothing, on fresh targets).
class CancelDialogs : public wxModalDialogHook {
protected:
    int Enter(wxDialog*) override { return wxID_CANCEL; }
    void Exit(wxDialog*) override {}
};

void Pump()
{
    for (int round = 0; round < 50; ++round) {
        wxTheApp->Yield(true);
        if (!wxTheApp->ProcessIdle() && !wxTheApp->Pending())
            break;
    }
}

// Reads and opens each folder of `labels` below `from`, as a user's clicks do, and scrolls the
// last into view; throws when one is missing.
wxTreeItemId Reveal(CBrowserView& tree, wxTreeItemId from, const std::vector<std::string>& labels)
{
    for (const std::string& label : labels) {
        tree.SelectItem(from);
        Pump();
        tree.Expand(from);
        wxTreeItemIdValue cookie;
        wxTreeItemId child = tree.GetFirstChild(from, cookie);
        while (child.IsOk() && tree.GetItemText(child).utf8_string() != label)
            child = tree.GetNextChild(from, cookie);
        if (!child.IsOk())
            throw std::runtime_error("the tree shows no folder " + label);
        from = child;
    }
    tree.EnsureVisible(from);
    Pump();
    return from;
}

// Drags `item` of `from` and drops it on `target` of `onto`, through the panes' own drag and
// drop code; returns once the drop's copy batch has ended.
void DropDirectory(CBrowserView& from, const wxTreeItemId& item, CBrowserView& onto, const wxTreeItemId& target)
{
    if (!from.BeginTreeDrag(from.Ref(item)))
        throw std::runtime_error("the tree refused to drag " + from.GetItemText(item).utf8_string());
    wxRect label;
    onto.GetBoundingRect(target, label, true);
    if (!onto.DropOnTree(wxPoint(label.x + label.width / 2, label.y + label.height / 2)))
        throw std::runtime_error("no drag was in progress at the drop");
    Pump();
}

void RequireEqual(const fs::path& expected, const fs::path& actual, const char* who)
{
    const std::vector<std::string> differences = TreeDifferences(expected, actual);
    if (!differences.empty())
        throw std::runtime_error(std::string(who) + ": " + actual.string() + ": " + differences.front() + " (and " +
                                 std::to_string(differences.size() - 1) + " more)");
}

// The best time of a client in one direction, and what it asked of the server in its last round.
struct Best {
    double seconds = 1e300;
    ServerCount count;
    void Take(double s, ServerCount c)
    {
        seconds = std::min(seconds, s);
        count = c;
    }
};

// Times `run` and counts its commands on the server.
double Measure(LogCounter& log, ServerCount& count, const std::function<void()>& run)
{
    log.Start();
    const double seconds = Seconds(run);
    count = log.Count();
    return seconds;
}

void PrintCounts(int files, const Best& ours, const Best& curl, const Best& lftp)
{
    if (ours.count.commands < 0)
        return;
    const auto perFile = [files](const Best& best) {
        return std::to_string(static_cast<double>(best.count.commands) / files).substr(0, 4) + " commands, " +
               std::to_string(static_cast<double>(best.count.dataConnections) / files).substr(0, 4) +
               " data connections";
    };
    std::printf("%-9s per file: ours %s; curl %s; lftp %s\n", "", perFile(ours).c_str(), perFile(curl).c_str(),
                perFile(lftp).c_str());
}

void PrintRow(const char* direction, int files, const Best& ours, const Best& curl, const Best& lftp)
{
    const double oursRate = files / ours.seconds;
    const double curlRate = files / curl.seconds;
    const double lftpRate = files / lftp.seconds;
    const double faster = std::max(curlRate, lftpRate);
    std::printf("%-9s ours %7.0f files/s   curl %7.0f files/s   lftp %7.0f files/s   ours/curl %.2f   "
                "ours/lftp %.2f   ours/faster %.2f (goal %.1f: %s)\n",
                direction, oursRate, curlRate, lftpRate, oursRate / curlRate, oursRate / lftpRate, oursRate / faster,
                kGoal, oursRate / faster >= kGoal ? "met" : "missed");
}

int Run(int folders, int filesPerFolder, std::size_t fileSize)
{
    std::unique_ptr<FtpTestServer> server;
    if (geteuid() == 0)
        server = std::make_unique<VsftpdServer>();
    else
        server = std::make_unique<PyftpdlibServer>();
    const SampleTree tree = UniformTree(folders, filesPerFolder, fileSize);
    const int files = static_cast<int>(tree.files.size());
    std::printf("server: %s on 127.0.0.1:%u (passive); %d files of %zu bytes in %d folders, best of %d rounds\n",
                server->Name().c_str(), server->Port(), files, fileSize, folders, kRounds);

    TempDir local;
    const fs::path source = local.Path() / "up" / kTreeName;
    WriteTree(tree, source);
    for (int round = 0; round < kRounds; ++round) {
        const std::string suffix = std::to_string(round);
        server->MakeDir("ours" + suffix);
        fs::create_directories(local.Path() / ("down" + suffix));
    }
    ScopedEnv drives("FERRIX_DRIVES", "C=" + local.Str());
    localfs::ReloadDriveMap();

    auto& app = static_cast<BenchApp&>(*wxTheApp);
    if (!app.StartUp())
        throw std::runtime_error("the program did not start");
    Pump();
    CMainFrame* frame = app.GetMainFrame();
    HostProfile profile;
    profile.name = server->Name();
    profile.host = "127.0.0.1";
    profile.user = server->User();
    profile.password = server->Password();
    profile.port = static_cast<std::int16_t>(server->Port());
    profile.useDefaultPort = 0;
    profile.passive = 1;
    profile.security = ConnectionSecurity::Plain;   // the test servers speak plain FTP
    if (!app.regions[CNorvoApp::kLowerRegion].ReplaceSession(CNorvoApp::kLowerRegion))
        throw std::runtime_error("no internet session");
    app.regions[CNorvoApp::kLowerRegion].Open(profile, FtpSecurity{});
    app.RootRegion(CNorvoApp::kLowerRegion);
    Pump();
    CBrowserView& localTree = *frame->GetTree(CNorvoApp::kUpperRegion);
    CBrowserView& hostTree = *frame->GetTree(CNorvoApp::kLowerRegion);
    const wxTreeItemId localRoot = localTree.wxTreeCtrl::GetRootItem();
    const wxTreeItemId hostRoot = hostTree.wxTreeCtrl::GetRootItem();
    LogCounter log(*server);

    Best oursUp, curlUp, lftpUp, oursDown, curlDown, lftpDown;
    for (int round = 0; round < kRounds; ++round) {
        const std::string suffix = std::to_string(round);
        // Uploads.
        const wxTreeItemId dragged = Reveal(localTree, localRoot, {"C:", "up", kTreeName});
        const wxTreeItemId onHost = Reveal(hostTree, hostRoot, {"ours" + suffix});
        ServerCount count;
        oursUp.Take(Measure(log, count, [&] { DropDirectory(localTree, dragged, hostTree, onHost); }), count);
        RequireEqual(source, server->Root() / ("ours" + suffix) / kTreeName, "ours");
        curlUp.Take(Measure(log, count, [&] {
                        peers::CurlUpload(tree, source, *server, "/curl" + suffix, local.Path() / "curl.conf");
                    }),
                    count);
        RequireEqual(source, server->Root() / ("curl" + suffix), "curl");
        lftpUp.Take(Measure(log, count, [&] { peers::LftpMirror(*server, source.string(), "/lftp" + suffix, true); }),
                    count);
        RequireEqual(source, server->Root() / ("lftp" + suffix), "lftp");

        // Downloads, of what each uploaded.
        const wxTreeItemId back = Reveal(hostTree, hostRoot, {"ours" + suffix, kTreeName});
        const wxTreeItemId onLocal = Reveal(localTree, localRoot, {"C:", "down" + suffix});
        oursDown.Take(Measure(log, count, [&] { DropDirectory(hostTree, back, localTree, onLocal); }), count);
        RequireEqual(source, local.Path() / ("down" + suffix) / kTreeName, "ours");
        const fs::path curlDownTarget = local.Path() / ("curl-down" + suffix);
        curlDown.Take(Measure(log, count, [&] {
                          peers::CurlDownload(tree, *server, "/curl" + suffix, curlDownTarget, local.Path() / "curl.conf");
                      }),
                      count);
        RequireEqual(source, curlDownTarget, "curl");
        const fs::path lftpDownTarget = local.Path() / ("lftp-down" + suffix);
        lftpDown.Take(Measure(log, count,
                              [&] { peers::LftpMirror(*server, "/lftp" + suffix, lftpDownTarget.string(), false); }),
                      count);
        RequireEqual(source, lftpDownTarget, "lftp");
    }
    PrintRow("upload", files, oursUp, curlUp, lftpUp);
    PrintCounts(files, oursUp, curlUp, lftpUp);
    PrintRow("download", files, oursDown, curlDown, lftpDown);
    PrintCounts(files, oursDown, curlDown, lftpDown);
    std::printf("(ours: the drop in the window with its dialog, tree and list updates, the local files made durable "
                "when the batch ends; the peers do not sync)\n");
    frame->Close(true);
    Pump();
    app.OnExit();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int folders = argc > 1 ? std::stoi(argv[1]) : kDefaultFolders;
    const int filesPerFolder = argc > 2 ? std::stoi(argv[2]) : kDefaultFilesPerFolder;
    const std::size_t fileSize = argc > 3 ? std::stoul(argv[3]) : kDefaultFileSize;
    // The program's settings go to a file of the run's own, never the user's.
    TempDir home;
    ScopedEnv registry("FERRIX_REGISTRY", (home.Path() / "registry.reg").string());
    ScopedEnv config("XDG_CONFIG_HOME", (home.Path() / "config").string());
    int wxArgc = 2;
    char automation[] = "/Automation";   // no splash window
    char* wxArgv[] = {argv[0], automation, nullptr};
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(wxArgc, wxArgv)) {
        std::fprintf(stderr, "bench: cannot start wxWidgets (is there a display?)\n");
        return 1;
    }
    CancelDialogs dialogs;
    dialogs.Register();
    std::vector<std::string> messages;
    int status = 1;
    {
        ScopedMessageBoxAnswerer answer([&](const std::string& text, long) {
            messages.push_back(text);
            return static_cast<int>(wxOK);
        });
        try {
            status = Run(folders, filesPerFolder, fileSize);
        } catch (const CInternetException& error) {
            std::fprintf(stderr, "bench: FTP error %u: %s\n", error.m_dwError, error.GetText().c_str());
        } catch (const std::exception& error) {
            std::fprintf(stderr, "bench: %s\n", error.what());
        }
    }
    for (const std::string& text : messages)
        std::fprintf(stderr, "bench: the program said: %s\n", text.c_str());
    dialogs.Unregister();
    wxEntryCleanup();
    return messages.empty() ? status : 1;
}

// How fast a large local directory is read and shown: 20,000 subdirectories and 100,000 files
// in one folder. Prints the time to fill the tree and the list, and the time of `ls -f | sort`
// on the same folder in the same run as the peer. Run under a display (xvfb-run).

#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "browser/PaneHost.h"
#include "platform/localfs/DriveMap.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/sizer.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kDirectories = 20000;
constexpr int kFiles = 100000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

class BenchHost : public IPaneHost {
public:
    void SetActiveView(wxWindow* view) override { m_active = view; }
    wxWindow* GetActiveView() const override { return m_active; }
    void ShowContextMenu(const wxPoint&) override {}
    int GetArrangeBy() const override { return 0; }
    void ApplyArrange(int) override {}

private:
    wxWindow* m_active = nullptr;
};

void MakeFolder(const std::filesystem::path& root)
{
    std::filesystem::create_directories(root);
    // Names that do not come in order, so sorting has work to do.
    for (int i = 0; i < kDirectories; ++i)
        std::filesystem::create_directory(root / ("dir" + std::to_string((i * 7919LL) % kDirectories)));
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = (root / ("file" + std::to_string((i * 104729LL) % kFiles) + ".dat")).string();
        const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
    }
}

double TimePeer(const std::filesystem::path& root)
{
    const std::string command = "ls -f '" + root.string() + "' | LC_ALL=C sort > /dev/null";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "peer command failed\n");
    return Seconds(start);
}
} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / ("ferrix-bench-" + std::to_string(getpid()));
    std::printf("creating %d directories and %d files in %s ...\n", kDirectories, kFiles, root.c_str());
    MakeFolder(root / "big");
    setenv("FERRIX_DRIVES", ("C=" + root.string()).c_str(), 1);
    localfs::ReloadDriveMap();

    wxApp::SetInstance(new wxApp);
    wxInitializer init(argc, argv);
    if (!init.IsOk()) {
        std::fprintf(stderr, "cannot initialise wxWidgets (run under xvfb-run)\n");
        return 1;
    }
    BenchHost host;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1000, 700));
    auto* tree = new CBrowserView(frame);
    auto* list = new FileView(frame);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(tree, 1, wxEXPAND);
    sizer->Add(list, 1, wxEXPAND);
    frame->SetSizer(sizer);
    tree->m_pFileView = list;
    tree->m_pHost = &host;
    list->m_pTree = tree;
    list->m_pHost = &host;
    frame->Show();
    tree->m_strRootLabel = "Local Machine";
    tree->SetRoot(nullptr);
    wxTheApp->Yield(true);

    const double peer = TimePeer(root / "big");

    const wxTreeItemId drive = tree->GetLastChild(tree->wxTreeCtrl::GetRootItem());
    TreeItemRef driveRef(drive, tree);
    tree->EnsureListed(driveRef, false);
    wxTreeItemIdValue cookie;
    const TreeItemRef big(tree->GetFirstChild(drive, cookie), tree);

    auto start = Clock::now();
    tree->EnsureListed(big, false);
    tree->Expand(big.GetId());
    tree->Update();
    const double treeSeconds = Seconds(start);
    const std::size_t children = tree->GetChildrenCount(big.GetId(), false);

    start = Clock::now();
    tree->ShowItemFiles(big);
    list->Update();
    const double listSeconds = Seconds(start);

    std::printf("tree: %zu directories in %.3f s (goal under 1 s)\n", children, treeSeconds);
    std::printf("list: %d files in %.3f s (goal under 2 s)\n", list->GetItemCount(), listSeconds);
    std::printf("peer: ls -f | sort of the same folder: %.3f s\n", peer);
    std::printf("ratio: tree+list / peer = %.2f\n", (treeSeconds + listSeconds) / peer);

    frame->Destroy();
    wxTheApp->Yield(true);
    std::filesystem::remove_all(root);
    return 0;
}

// Copying by dragging with the real mouse (XTest) in the real window, in every direction: the
// local disk (a temporary drive), vsftpd and pyftpdlib on 127.0.0.1, two hosts at once, and two
// places of one host. Afterwards the destination holds the same folders and the same bytes as
// the source, and the target's tree and list show what arrived. Runs on a display of its own:
// another test's window under the pointer would take the drag.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/DragState.h"
#include "browser/FileView.h"
#include "ftp/support/ServerTest.h"
#include "ftp/support/VsftpdServer.h"
#include "platform/localfs/DriveMap.h"
#include "platform/ui/MessageBeep.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"
#include "support/MouseInput.h"
#include "support/PaneHelpers.h"
#include "support/SampleTree.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/utils.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;

enum class Host { None, Local, Vsftpd, Pyftpdlib };

// What the window shows: the connection type and what each region is rooted on.
struct Layout {
    std::int32_t connectionType;
    std::array<Host, 2> regions;   // upper, lower
};

const Layout kLocalOnly{CNorvoApp::kLocalRemote, {Host::Local, Host::None}};
const Layout kLocalAndVsftpd{CNorvoApp::kLocalRemote, {Host::Local, Host::Vsftpd}};
const Layout kLocalAndPyftpdlib{CNorvoApp::kLocalRemote, {Host::Local, Host::Pyftpdlib}};
const Layout kTwoHosts{CNorvoApp::kRemoteRemote, {Host::Vsftpd, Host::Pyftpdlib}};

// Every region shows a work folder with "src", which holds the sample tree, and "dst", which
// holds one file already.
const char* const kTreeName = "Sample tree";
const char* const kExisting = "zz existing.txt";

Texts Sorted(Texts texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

class DragCopyTest {
protected:
    struct Region {
        CBrowserView* tree = nullptr;
        FileView* list = nullptr;
        wxTreeItemId work;   // the item of the work folder
        fs::path disk;       // where the work folder is on the disk
    };

    void Start(const Layout& layout, const std::string& testName)
    {
        WriteTree(sample, reference.Path());
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (home.Path() / "registry.reg").string());
        drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str());
        localfs::ReloadDriveMap();
        folder = "drag_" + testName;
        std::replace(folder.begin(), folder.end(), '/', '_');

        std::vector<HostProfile> answers;
        for (std::size_t index = 0; index < 2; ++index) {
            const Host host = layout.regions[index];
            if (host == Host::Local) {
                PrepareWorkFolder(drive.Path() / "work", nullptr);
                regions[index].disk = drive.Path() / "work";
                continue;
            }
            if (host == Host::None) {
                answers.emplace_back();
                continue;
            }
            FtpTestServer& server = SharedServer(host == Host::Vsftpd ? ServerKind::Vsftpd : ServerKind::Pyftpdlib);
            PrepareWorkFolder(server.MakeDir(folder), &server);
            regions[index].disk = server.Root() / folder;
            answers.push_back(LoopbackProfile(server.Name(), server, true, "/" + folder));
        }

        SaveConnectionType(layout.connectionType);
        ScopedConnectAnswers connect(answers);
        frame = &StartApplication();
        // Room for the trees, and the window where the window manager put it before the
        // pointer aims at it.
        frame->SetSize(frame->FromDIP(wxSize(1100, 720)));
        Settle([&] { return frame->IsShownOnScreen() && frame->GetSize() == frame->FromDIP(wxSize(1100, 720)); });
        for (std::size_t index = 0; index < 2; ++index) {
            Region& region = regions[index];
            region.tree = frame->GetTree(static_cast<int>(index));
            region.list = frame->GetFileList(static_cast<int>(index));
            const wxTreeItemId root = region.tree->wxTreeCtrl::GetRootItem();
            if (layout.regions[index] == Host::Local)
                region.work = Reveal(*region.tree, root, {"C:", "work"});
            else if (layout.regions[index] != Host::None)
                region.work = root;
        }
    }

    void Stop()
    {
        StopApplication();
        TheApp().CloseRegions();
        drives.reset();
        localfs::ReloadDriveMap();
        registry.reset();
    }

    // Selects each folder of `labels` below `from` in turn, as a user's clicks read them, and
    // opens it; the last one stays selected. An invalid id when one is missing.
    wxTreeItemId Reveal(CBrowserView& tree, wxTreeItemId from, const Texts& labels)
    {
        frame->SetActiveView(&tree);
        for (const std::string& label : labels) {
            tree.SelectItem(from);
            PumpEvents();
            tree.Expand(from);
            from = FindChild(tree, from, label);
            EXPECT_TRUE(from.IsOk()) << "no folder " << label << " (" << StatusText(*frame) << ")";
            if (!from.IsOk())
                return from;
        }
        tree.SelectItem(from);
        PumpEvents();
        return from;
    }

    bool Dragging() const { return frame->GetDragState()->active != 0; }

    // Drags with the mouse from the point `from` gives on `fromPane` to the point `to` gives on
    // `toPane`, where `overTarget` tells that the pane has taken the drag over; the drop and its
    // copy are over on return. The points are taken once the window has settled: a window
    // manager or a late layout may still move the panes after the window is shown.
    void Drag(const std::function<wxPoint()>& from, wxWindow& fromPane, const std::function<wxPoint()>& to,
              wxWindow& toPane, const std::function<bool()>& overTarget)
    {
        wxPoint start = from();
        wxPoint end = to();
        ASSERT_TRUE(Settle([&] {
            const wxPoint startNow = from();
            const wxPoint endNow = to();
            const bool still = startNow == start && endNow == end;
            start = startNow;
            end = endNow;
            return still && PaneAt(start) == &fromPane && PaneAt(end) == &toPane;
        })) << "the panes are not where the pointer aims";
        ASSERT_TRUE(MouseDrag([&] { return start; }, [&] { return end; }, [this] { return Dragging(); }, overTarget,
                              [this] { return !Dragging(); }))
            << "the drag did not begin, or not end";
    }
    static wxWindow* PaneAt(const wxPoint& screen)
    {
        for (wxWindow* window = wxFindWindowAtPoint(screen); window; window = window->GetParent()) {
            if (dynamic_cast<CBrowserView*>(window) || dynamic_cast<FileView*>(window))
                return window;
        }
        return nullptr;
    }
    // The pane there has the drag: the tree marks the item, the list holds the mouse.
    static std::function<bool()> OverItem(CBrowserView& tree, const wxTreeItemId& item)
    {
        return [&tree, item] { return tree.GetDropHighlight() == item; };
    }
    static std::function<bool()> OverList(FileView& list)
    {
        return [&list] { return wxWindow::GetCapture() == list.GetMainWindowOfCompositeControl(); };
    }

    // The names of a tree item's files as the tree keeps them, in their order.
    Texts EntryNames(CBrowserView& tree, const wxTreeItemId& item)
    {
        Texts names;
        for (const auto& entry : ItemData(tree, item).m_files)
            names.push_back(entry->m_strName);
        return names;
    }

    // The size column of the row `name` of the list.
    static std::string SizeShown(FileView& list, const std::string& name)
    {
        const Texts names = ListColumn(list, FileView::kColumnName);
        const auto row = std::find(names.begin(), names.end(), name);
        return row == names.end() ? "<no row>" : ListColumn(list, FileView::kColumnSize)[row - names.begin()];
    }

    SampleTree sample = MixedTree();
    TempDir reference;   // the sample tree as it must arrive
    std::array<Region, 2> regions;
    CMainFrame* frame = nullptr;

private:
    void PrepareWorkFolder(const fs::path& work, const FtpTestServer* server)
    {
        const auto handOver = [server](const fs::path& path) {
            if (server)
                server->HandOver(path);
        };
        for (const fs::path& dir : {work, work / "src", work / "src" / kTreeName, work / "dst"}) {
            fs::create_directories(dir);
            fs::permissions(dir, fs::perms(0755));
            handOver(dir);
        }
        WriteTree(sample, work / "src" / kTreeName, handOver);
        const SampleTree existing{{}, {{kExisting, "was here"}}};
        WriteTree(existing, work / "dst", handOver);
    }

    // Start-up reads the connection type from the registry; a first run writes it there.
    void SaveConnectionType(std::int32_t connectionType)
    {
        ScopedDialogAnswerer cancel([](wxDialog*) { return static_cast<int>(wxID_CANCEL); });
        StartApplication();
        TheApp().connectionType = connectionType;
        StopApplication();
    }

    TempDir drive;
    TempDir home;
    std::string folder;
    std::unique_ptr<ScopedEnv> registry;
    std::unique_ptr<ScopedEnv> drives;
};

// --- a directory dragged from a tree onto a folder of a tree ---

struct TreeCopy {
    const char* name;
    Layout layout;
    int from;   // the region whose tree the directory is dragged from
    int to;     // the region whose tree it is dropped on
};

const TreeCopy kTreeCopies[] = {
    {"LocalToLocal", kLocalOnly, 0, 0},
    {"UploadToVsftpd", kLocalAndVsftpd, 0, 1},
    {"UploadToPyftpdlib", kLocalAndPyftpdlib, 0, 1},
    {"DownloadFromVsftpd", kLocalAndVsftpd, 1, 0},
    {"DownloadFromPyftpdlib", kLocalAndPyftpdlib, 1, 0},
    {"VsftpdToPyftpdlib", kTwoHosts, 0, 1},
    {"PyftpdlibToVsftpd", kTwoHosts, 1, 0},
    {"WithinVsftpd", kLocalAndVsftpd, 1, 1},
    {"WithinPyftpdlib", kLocalAndPyftpdlib, 1, 1},
};

void PrintTo(const TreeCopy& copy, std::ostream* out)
{
    *out << copy.name;
}

class DragTreeTest : public DragCopyTest, public testing::TestWithParam<TreeCopy> {
protected:
    void SetUp() override { Start(GetParam().layout, GetParam().name); }
    void TearDown() override { Stop(); }

    // The copied item shows the sample tree: each folder's subfolders in the tree and its files
    // as the folder's entries.
    void ExpectTreeShows(CBrowserView& tree, const wxTreeItemId& item, const std::string& relative)
    {
        SCOPED_TRACE(relative.empty() ? std::string(kTreeName) : relative);
        EXPECT_EQ(ItemData(tree, item).m_bListed, 1);
        EXPECT_EQ(Sorted(ChildLabels(tree, item)), Sorted(sample.FoldersIn(relative)));
        EXPECT_EQ(Sorted(EntryNames(tree, item)), Sorted(sample.FilesIn(relative)));
        for (const std::string& child : sample.FoldersIn(relative)) {
            const wxTreeItemId childItem = FindChild(tree, item, child);
            if (childItem.IsOk())
                ExpectTreeShows(tree, childItem, relative.empty() ? child : relative + "/" + child);
        }
    }
};

TEST_P(DragTreeTest, TheWholeDirectoryArrivesAndTheTargetShowsIt)
{
    Region& source = regions[GetParam().from];
    Region& target = regions[GetParam().to];
    const wxTreeItemId dst = Reveal(*target.tree, target.work, {"dst"});
    const wxTreeItemId dragged = Reveal(*source.tree, source.work, {"src", kTreeName});
    ASSERT_TRUE(dst.IsOk() && dragged.IsOk());
    const fs::path arrived = target.disk / "dst" / kTreeName;
    ASSERT_FALSE(TreeDifferences(reference.Path(), arrived).empty()) << "nothing is there before the drop";

    // vsftpd logs every command: an upload into the folders the drop creates costs no listing
    // per file (no look-up for an existing file, sizes and times by SIZE and MDTM), and the
    // size is asked once per file, in either direction.
    const std::string direction = GetParam().name;
    const bool upload = direction == "UploadToVsftpd";
    const bool counted = upload || direction == "DownloadFromVsftpd";
    const auto* vsftpd = counted ? dynamic_cast<const VsftpdServer*>(&SharedServer(ServerKind::Vsftpd)) : nullptr;
    const std::size_t logStart = vsftpd ? vsftpd->LogText().size() : 0;

    ScopedMessageRecorder messages;
    int beeps = 0;
    ScopedMessageBeepListener refusals([&] { ++beeps; });
    Drag([&] { return ScreenPointOf(*source.tree, dragged); }, *source.tree,
         [&] { return ScreenPointOf(*target.tree, dst); }, *target.tree, OverItem(*target.tree, dst));

    if (vsftpd) {
        const std::string log = vsftpd->LogText().substr(logStart);
        const auto occurrences = [&log](const std::string& needle) {
            long n = 0;
            for (std::size_t at = log.find(needle); at != std::string::npos; at = log.find(needle, at + 1))
                ++n;
            return n;
        };
        const auto files = static_cast<long>(sample.files.size());
        EXPECT_EQ(occurrences(upload ? "\"STOR " : "\"RETR "), files);
        EXPECT_EQ(occurrences("\"SIZE "), files) << "the size for the progress, the check and the row, asked once";
        EXPECT_EQ(occurrences("\"MDTM "), upload ? files : 0);
        if (upload) {
            EXPECT_EQ(occurrences("\"LIST"), 0);
        }
    }

    EXPECT_EQ(messages.texts, Texts{});
    EXPECT_EQ(beeps, 0) << "the drop was refused";
    EXPECT_EQ(TreeDifferences(reference.Path(), arrived), Texts{});
    EXPECT_EQ(TreeDifferences(reference.Path(), source.disk / "src" / kTreeName), Texts{}) << "the source stays";

    // The tree shows every level at once, read: nothing is fetched again to show it.
    const wxTreeItemId copied = FindChild(*target.tree, dst, kTreeName);
    ASSERT_TRUE(copied.IsOk()) << "the target tree shows no " << kTreeName;
    ExpectTreeShows(*target.tree, copied, "");
    // And the list shows the files of each folder the user selects there.
    for (const Texts& path : {Texts{}, Texts{"Ünïcødé folder", "level two", "level three", "深い"}, Texts{"plain"}}) {
        std::string relative;
        for (const std::string& part : path)
            relative += (relative.empty() ? "" : "/") + part;
        Reveal(*target.tree, copied, path);
        EXPECT_EQ(Sorted(ListColumn(*target.list, FileView::kColumnName)), Sorted(sample.FilesIn(relative))) << relative;
    }
    Reveal(*target.tree, copied, {});
    EXPECT_EQ(SizeShown(*target.list, "zero.bin"), "0");
    EXPECT_EQ(SizeShown(*target.list, "blocks.bin"), std::to_string(fs::file_size(reference.Path() / "blocks.bin")));
}

INSTANTIATE_TEST_SUITE_P(Directions, DragTreeTest, testing::ValuesIn(kTreeCopies),
                         [](const auto& info) { return std::string(info.param.name); });

// --- files dragged from a list onto the other list or onto a folder of a tree ---

struct FileCopy {
    const char* name;
    Layout layout;
    int from;       // the region whose list the files are dragged from
    int to;         // the region they are dropped on
    bool ontoList;  // on its list, which shows "dst"; otherwise on the "dst" item of its tree
};

const FileCopy kFileCopies[] = {
    {"UploadOntoTheList", kLocalAndVsftpd, 0, 1, true},
    {"DownloadOntoTheList", kLocalAndPyftpdlib, 1, 0, true},
    {"DownloadOntoTheTree", kLocalAndVsftpd, 1, 0, false},
    {"LocalToLocalOntoTheTree", kLocalOnly, 0, 0, false},
    {"BetweenHostsOntoTheList", kTwoHosts, 1, 0, true},
    {"BetweenHostsOntoTheTree", kTwoHosts, 0, 1, false},
    {"WithinAHostOntoTheTree", kLocalAndPyftpdlib, 1, 1, false},
};

void PrintTo(const FileCopy& copy, std::ostream* out)
{
    *out << copy.name;
}

// Every file of the sample's top folder but one: the zero-byte file, several blocks, spaces and
// letters beyond ASCII.
const Texts kDraggedFiles = {"blocks.bin", "read me.txt", "zero.bin", "Ünïcødé ファイル.txt"};
const char* const kLeftBehind = "line ends.txt";

class DragFilesTest : public DragCopyTest, public testing::TestWithParam<FileCopy> {
protected:
    void SetUp() override { Start(GetParam().layout, GetParam().name); }
    void TearDown() override { Stop(); }
};

TEST_P(DragFilesTest, TheSelectedFilesArriveAtTheEndOfTheTargetFolder)
{
    Region& source = regions[GetParam().from];
    Region& target = regions[GetParam().to];
    // The target first: within one region, showing "dst" would take the list from the source.
    const wxTreeItemId dst = Reveal(*target.tree, target.work, {"dst"});
    ASSERT_TRUE(Reveal(*source.tree, source.work, {"src", kTreeName}).IsOk());
    frame->SetActiveView(source.list);
    SelectRows(*source.list, kDraggedFiles);
    Texts listOrder;   // the dragged names as the source list shows them
    for (const std::string& name : ListColumn(*source.list, FileView::kColumnName)) {
        if (std::count(kDraggedFiles.begin(), kDraggedFiles.end(), name))
            listOrder.push_back(name);
    }
    const Texts names = ListColumn(*source.list, FileView::kColumnName);
    const long pressed = std::find(names.begin(), names.end(), "read me.txt") - names.begin();

    ScopedMessageRecorder messages;
    int beeps = 0;
    ScopedMessageBeepListener refusals([&] { ++beeps; });
    const auto from = [&] { return ScreenPointOf(*source.list, pressed); };
    if (GetParam().ontoList)
        Drag(from, *source.list, [&] { return ScreenPointOf(*target.list); }, *target.list, OverList(*target.list));
    else
        Drag(from, *source.list, [&] { return ScreenPointOf(*target.tree, dst); }, *target.tree, OverItem(*target.tree, dst));

    EXPECT_EQ(messages.texts, Texts{});
    EXPECT_EQ(beeps, 0) << "the drop was refused";
    SampleTree expected{{}, {{kExisting, "was here"}}};
    for (const auto& file : sample.files) {
        if (std::count(kDraggedFiles.begin(), kDraggedFiles.end(), file.first))
            expected.files.push_back(file);
    }
    TempDir expectedDir;
    WriteTree(expected, expectedDir.Path());
    EXPECT_EQ(TreeDifferences(expectedDir.Path(), target.disk / "dst"), Texts{}) << "only the selection, unchanged";

    // New entries come after what the folder held, in the source list's order, unsorted.
    Texts shown{kExisting};
    shown.insert(shown.end(), listOrder.begin(), listOrder.end());
    EXPECT_EQ(EntryNames(*target.tree, dst), shown);
    if (GetParam().from != GetParam().to) {
        EXPECT_EQ(ListColumn(*target.list, FileView::kColumnName), shown) << "the list showing the folder shows them at once";
    }
    Reveal(*target.tree, dst, {});
    EXPECT_EQ(Sorted(ListColumn(*target.list, FileView::kColumnName)), Sorted(shown));
    EXPECT_EQ(SizeShown(*target.list, "zero.bin"), "0");
    EXPECT_EQ(SizeShown(*target.list, kLeftBehind), "<no row>");
}

INSTANTIATE_TEST_SUITE_P(Directions, DragFilesTest, testing::ValuesIn(kFileCopies),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// How the local tree reads folders whose names are no valid UTF-8 and folders it cannot read,
// on a temporary drive, through the real window.

#include "app/MainFrame.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "browser/LabelOrder.h"
#include "platform/localfs/DriveMap.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/GuiTest.h"
#include "support/PaneHelpers.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <filesystem>

namespace {

class TreeReadingTest : public testing::Test {
protected:
    void SetUp() override
    {
        drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str());
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (home.Path() / "registry.reg").string());
        localfs::ReloadDriveMap();
        frame = &StartApplication();
        tree = frame->GetTree(0);
        list = frame->GetFileList(0);
        frame->SetActiveView(tree);
    }

    void TearDown() override
    {
        StopApplication();
        drives.reset();
        registry.reset();
        localfs::ReloadDriveMap();
    }

    wxTreeItemId Select(const std::vector<std::string>& labels)
    {
        const wxTreeItemId item = FindPath(*tree, labels);
        EXPECT_TRUE(item.IsOk()) << labels.back();
        if (item.IsOk()) {
            tree->SelectItem(item);
            PumpEvents();
        }
        return item;
    }

    void ExpandAll(const std::vector<std::string>& labels)
    {
        Select(labels);
        ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
        SendCommand(*frame, ID_FILE_EXPAND_ALL);
    }

    const BrowserItem& Data(const wxTreeItemId& item) { return ItemData(*tree, item); }
    std::string Path(const wxTreeItemId& item)
    {
        std::string path;
        tree->GetItemPath(tree->Ref(item), path);
        return path;
    }
    std::string Status() { return StatusText(*frame); }

    // The look and state of a folder that could not be read: unread, marked, with the expand
    // button kept so that it can be tried again.
    void ExpectUnread(const wxTreeItemId& item)
    {
        ASSERT_TRUE(item.IsOk());
        EXPECT_EQ(Data(item).m_bListed, 0);
        EXPECT_EQ(ChildLabels(*tree, item), std::vector<std::string>{"dummy"});
        EXPECT_EQ(tree->GetItemImage(item), CBrowserView::kImageUnreadFolder);
    }

    TempDir drive;
    TempDir home;
    std::unique_ptr<ScopedEnv> drives;
    std::unique_ptr<ScopedEnv> registry;
    CMainFrame* frame = nullptr;
    CBrowserView* tree = nullptr;
    FileView* list = nullptr;
};

TEST_F(TreeReadingTest, NamesThatAreNotUtf8ShowLegiblyAndEveryReadUsesTheirTrueBytes)
{
    drive.WriteFile("dir\xff/inner.txt", "in");
    drive.WriteFile("dir\xff/\xff.bin", "ff");
    drive.WriteFile("dir\xff/sub/deep.txt", "deep");
    drive.WriteFile("dir\xff/caf\xe9/latin.txt", "l");
    drive.WriteFile("caf\xe9.txt", "Latin-1");
    drive.WriteFile("top.txt", "t");
    drive.MakeDir("plain");

    Select({"C:"});
    EXPECT_EQ(ChildLabels(*tree, FindPath(*tree, {"C:"})), (std::vector<std::string>{"dir\\xFF", "plain"}));
    EXPECT_EQ(ListColumn(*list, 0), (std::vector<std::string>{"caf\\xE9.txt", "top.txt"}));

    // The folder reads its own files, never its parent's.
    const wxTreeItemId odd = Select({"C:", "dir\\xFF"});
    EXPECT_EQ(Path(odd), "C:/dir\xff");
    EXPECT_EQ(ListColumn(*list, 0), (std::vector<std::string>{"inner.txt", "\\xFF.bin"}));
    ASSERT_EQ(Data(odd).m_files.size(), 2u);
    EXPECT_NE(Data(odd).FindEntry("\xff.bin"), nullptr);
    EXPECT_EQ(ChildLabels(*tree, odd), (std::vector<std::string>{"caf\\xE9", "sub"}));

    // Expanding it shows its own subfolders, not itself again.
    const wxTreeItemId latin = FindPath(*tree, {"C:", "dir\\xFF", "caf\\xE9"});
    tree->Expand(latin);
    PumpEvents();
    EXPECT_EQ(Data(latin).m_bListed, 1);
    EXPECT_EQ(Path(latin), "C:/dir\xff/caf\xe9");
    Select({"C:", "dir\\xFF", "caf\\xE9"});
    EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"latin.txt"});

    // Expand All on the parent ends, with every folder read once.
    tree->Collapse(FindPath(*tree, {"C:"}));
    ExpandAll({"C:"});
    const wxTreeItemId sub = FindPath(*tree, {"C:", "dir\\xFF", "sub"});
    ASSERT_TRUE(sub.IsOk());
    EXPECT_EQ(Data(sub).m_bListed, 1);
    EXPECT_EQ(ChildLabels(*tree, sub), std::vector<std::string>{});
    EXPECT_EQ(ChildLabels(*tree, FindPath(*tree, {"C:", "dir\\xFF"})), (std::vector<std::string>{"caf\\xE9", "sub"}));
    Select({"C:", "dir\\xFF", "sub"});
    EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"deep.txt"});
}

TEST_F(TreeReadingTest, AFolderThatCannotBeReadIsNeverTakenForAnEmptyOne)
{
    drive.WriteFile("locked/secret.txt", "s");
    drive.MakeDir("locked/inner");
    drive.MakeDir("empty");
    drive.WriteFile("open/a.txt", "a");
    std::filesystem::permissions(drive.Path() / "locked", std::filesystem::perms::none);

    {
        ScopedUnprivileged unprivileged;
        if (!unprivileged.Ready())
            GTEST_SKIP() << unprivileged.Failure();

        Select({"C:"});
        const wxTreeItemId locked = Select({"C:", "locked"});
        EXPECT_EQ(Status(), "Cannot read C:/locked: Permission denied");
        EXPECT_EQ(list->GetItemCount(), 0);
        ExpectUnread(locked);

        // An empty folder is read, and shows no expand button.
        const wxTreeItemId empty = Select({"C:", "empty"});
        EXPECT_EQ(Data(empty).m_bListed, 1);
        EXPECT_EQ(ChildLabels(*tree, empty), std::vector<std::string>{});
        EXPECT_EQ(tree->GetItemImage(empty), CBrowserView::kImageClosedFolder);

        // Expand All over both leaves the locked one unread and reads the rest.
        ExpandAll({"C:"});
        ExpectUnread(FindPath(*tree, {"C:", "locked"}));
        EXPECT_EQ(Status(), "Cannot read C:/locked: Permission denied");
        EXPECT_EQ(Data(FindPath(*tree, {"C:", "open"})).m_bListed, 1);
        EXPECT_EQ(Data(FindPath(*tree, {"C:", "empty"})).m_bListed, 1);
    }

    // Readable again, it reads on the next selection and looks like any other folder.
    std::filesystem::permissions(drive.Path() / "locked", std::filesystem::perms(0755));
    const wxTreeItemId again = Select({"C:", "locked"});
    EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"secret.txt"});
    EXPECT_EQ(ChildLabels(*tree, again), std::vector<std::string>{"inner"});
    EXPECT_EQ(tree->GetItemImage(again), CBrowserView::kImageClosedFolder);
}

TEST_F(TreeReadingTest, ArrangeByDateFollowsTheFilesRealTimesAndEqualTimesFollowTheirNames)
{
    constexpr std::int64_t kHour = 3600;
    constexpr std::int64_t kDay = 1767225600 + 40 * 24 * kHour;   // a day in February 2026
    const struct {
        const char* name;
        std::int64_t time;
    } files[] = {
        {"y2099", 4102444800 - 1}, {"pm-11", kDay + 23 * kHour}, {"y2038", 2147483648}, {"noon", kDay + 12 * kHour},
        {"am-0030", kDay + kHour / 2}, {"y1999", 915148800 - 1}, {"am-11", kDay + 11 * kHour}, {"y1970", 0},
        {"same-b", 1000000000}, {"Same-a", 1000000000},
    };
    for (const auto& file : files) {
        const std::filesystem::path path = drive.WriteFile(std::string("dated/") + file.name, "x");
        const timespec times[2] = {{static_cast<time_t>(file.time), 0}, {static_cast<time_t>(file.time), 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << file.name;
    }
    Select({"C:"});
    Select({"C:", "dated"});
    SendCommand(*frame, ID_ARRANGE_BY_DATE);
    EXPECT_EQ(ListColumn(*list, 0), (std::vector<std::string>{"y1970", "y1999", "Same-a", "same-b", "am-0030", "am-11",
                                                               "noon", "pm-11", "y2038", "y2099"}));
    // The times keep their shown form.
    for (const std::string& text : ListColumn(*list, 2))
        EXPECT_EQ(text.size(), 22u) << text;
    // Equal keys by type (none of the names has one) follow the names too.
    SendCommand(*frame, ID_ARRANGE_BY_TYPE);
    EXPECT_EQ(ListColumn(*list, 0), (std::vector<std::string>{"am-0030", "am-11", "noon", "pm-11", "Same-a", "same-b",
                                                               "y1970", "y1999", "y2038", "y2099"}));
    SendCommand(*frame, ID_ARRANGE_BY_NAME);
}

TEST_F(TreeReadingTest, AFolderOfManySubfoldersKeepsThemInLabelOrderThroughNewFoldersAndRereads)
{
    // Names out of order, differing in case only, not UTF-8, and sorting around "New Folder".
    constexpr int kFolders = 300;
    std::vector<std::string> names = {"new folder", "New Folders", "NEW", "caf\xe9", "Zeta", "zeta", "\xc3\xa9t\xc3\xa9"};
    for (int i = 0; i < kFolders; ++i)
        names.push_back("folder " + std::to_string((i * 7919LL) % kFolders));
    for (const std::string& name : names)
        drive.MakeDir("many/" + name);
    const auto inLabelOrder = [this](const wxTreeItemId& item) {
        const std::vector<std::string> labels = ChildLabels(*tree, item);
        return std::is_sorted(labels.begin(), labels.end(),
                              [](const std::string& a, const std::string& b) { return CompareLabels(a, b) < 0; });
    };
    Select({"C:"});
    const wxTreeItemId many = Select({"C:", "many"});
    EXPECT_EQ(ChildLabels(*tree, many).size(), names.size());
    EXPECT_TRUE(inLabelOrder(many));

    // A new folder left pending goes into its place among them, and stays there, in order,
    // through a re-read of the folder that holds it.
    SendCommand(*frame, ID_FILE_NEW_FOLDER);
    tree->EndEditLabel(tree->GetSelection(), true);
    PumpEvents();
    EXPECT_TRUE(inLabelOrder(many));
    Select({"C:", "many"});
    SendCommand(*frame, ID_FILE_REFRESH_FOLDER);
    const std::vector<std::string> labels = ChildLabels(*tree, many);
    EXPECT_EQ(labels.size(), names.size() + 1);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "New Folder"), 1);
    EXPECT_TRUE(inLabelOrder(many));
    EXPECT_EQ(Data(FindPath(*tree, {"C:", "many", "New Folder"})).m_bNewFolder, 1);
}

TEST_F(TreeReadingTest, AFolderGoneBehindTheProgramsBackSaysSoAndStaysUnread)
{
    drive.WriteFile("beta/b.txt", "b");
    drive.WriteFile("top.txt", "t");
    Select({"C:"});
    std::filesystem::remove_all(drive.Path() / "beta");
    const wxTreeItemId beta = Select({"C:", "beta"});
    // Never the contents of whatever folder happened to be current instead.
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(Status(), "Cannot read C:/beta: No such file or directory");
    ExpectUnread(beta);
}

} // namespace

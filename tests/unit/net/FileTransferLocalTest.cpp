// The transfer engine between two local folders: the block loop, the question before a
// replace, cancelling, and failures that must never read as copies.

#include "net/FileTransfer.h"
#include "net/TransferSetupFor.h"
#include "platform/ui/MessageBox.h"
#include "unit/localfs/LocalDrives.h"
#include "unit/net/CopyTestFiles.h"
#include "unit/net/RecordingProgress.h"

#include <wx/defs.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <iterator>

namespace fs = std::filesystem;

namespace {

// A lower soft limit of `resource` for this process while the object lives.
class ResourceLimit {
public:
    ResourceLimit(int resource, rlim_t limit) : m_resource(resource)
    {
        getrlimit(m_resource, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = limit;
        setrlimit(m_resource, &limited);
    }
    ~ResourceLimit() { setrlimit(m_resource, &m_saved); }
    ResourceLimit(const ResourceLimit&) = delete;
    ResourceLimit& operator=(const ResourceLimit&) = delete;

private:
    int m_resource;
    rlimit m_saved{};
};

// Writes beyond `limit` bytes fail with EFBIG: a disk that fills up in the middle of a file.
ResourceLimit FileSizeLimit(rlim_t limit)
{
    std::signal(SIGXFSZ, SIG_IGN);
    return ResourceLimit(RLIMIT_FSIZE, limit);
}

// At most `spare` more open descriptors than there are now.
ResourceLimit DescriptorLimit(rlim_t spare)
{
    const auto open = std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    return ResourceLimit(RLIMIT_NOFILE, static_cast<rlim_t>(open) + spare);
}

}  // namespace

using FileTransferLocalTest = LocalDrivesTest;

TEST_F(FileTransferLocalTest, ABatchOfManyNewFilesIsStoredAtItsEndWithoutHoldingEveryFileOpen)
{
    // New files are stored on the disk once, when the batch ends: far more files than the
    // process may hold open go through one batch, and a replaced file is stored as it goes.
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i)
        m_temp.WriteFile("c/src/f" + std::to_string(i), Pattern(100 + i));
    m_temp.WriteFile("d/f7", "old");
    int asked = 0;
    ScopedMessageBoxAnswerer yes([&](const std::string&, long) { return ++asked, static_cast<int>(wxYES); });
    const ResourceLimit limit = DescriptorLimit(24);
    CFileTransfer transfer(nullptr, nullptr);
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "f" + std::to_string(i);
        ASSERT_EQ(transfer.CopyFile("C:/src/" + name, "D:/" + name), i == 7 ? Replaced : Copied)
            << name << ": " << transfer.GetLastError();
    }
    EXPECT_TRUE(transfer.Finish()) << transfer.GetLastError();
    EXPECT_TRUE(transfer.Finish());
    EXPECT_EQ(asked, 1);
    for (int i = 0; i < kFiles; ++i)
        EXPECT_EQ(ReadFileText(m_temp.Path() / "d" / ("f" + std::to_string(i))), Pattern(100 + i)) << i;
}

TEST_F(FileTransferLocalTest, CopiesBlockByBlockShowingEachStep)
{
    const std::string content = Pattern(25000);
    m_temp.WriteFile("c/src/a b ü.bin", content);
    RecordingProgress progress;
    {
        CFileTransfer transfer(nullptr, nullptr);
        EXPECT_EQ(transfer.GetMode(), LocalToLocal);
        EXPECT_TRUE(CFileTransfer::IsBatchRunning());
        transfer.AttachDialog(&progress);
        EXPECT_EQ(transfer.CopyFile("C:/src/a b ü.bin", "D:/a b ü.bin"), Copied);
        EXPECT_EQ(transfer.GetBytesCopied(), 25000U);
        m_temp.WriteFile("c/src/empty", "");
        EXPECT_EQ(transfer.CopyFile("C:/src/empty", "D:/empty"), Copied);
        transfer.Finish();
        EXPECT_FALSE(CFileTransfer::IsBatchRunning());
    }
    EXPECT_EQ(ReadAll(m_dFolder / "a b ü.bin"), content);
    EXPECT_TRUE(fs::exists(m_dFolder / "empty"));
    EXPECT_EQ(fs::file_size(m_dFolder / "empty"), 0U);

    ASSERT_EQ(progress.files.size(), 2U);
    EXPECT_EQ(progress.files[0], "C:/src/a b ü.bin -> D:/a b ü.bin");
    // Three blocks (10240, 10240, 4520): a first line at 0, then one per block; the empty file
    // shows no line and pumps nothing.
    ASSERT_EQ(progress.shown.size(), 4U);
    EXPECT_EQ(progress.shown[0].status, "0K of 24K ( in 0K/sec )");
    EXPECT_EQ(progress.shown[1].status.substr(0, 10), "10K of 24K");
    EXPECT_EQ(progress.shown[3].percent, "100%");
    EXPECT_EQ(progress.pumps, 3);
    EXPECT_EQ(progress.barRange, 0U);   // the empty file's bar
    EXPECT_TRUE(progress.dismissed);
}

TEST_F(FileTransferLocalTest, AsksBeforeReplacingAndKeepsTheOldFileOnNo)
{
    m_temp.WriteFile("c/new.txt", "new content");
    m_temp.WriteFile("d/old.txt", "old");
    std::vector<std::string> asked;
    int answer = wxNO;
    ScopedMessageBoxAnswerer answerer([&](const std::string& text, long style) {
        asked.push_back(text);
        EXPECT_EQ(style & wxYES_NO, wxYES_NO);
        return answer;
    });
    CFileTransfer transfer(nullptr, nullptr);
    EXPECT_EQ(transfer.CopyFile("C:/new.txt", "D:/old.txt"), Skipped);
    EXPECT_EQ(ReadAll(m_dFolder / "old.txt"), "old");
    answer = wxYES;
    EXPECT_EQ(transfer.CopyFile("C:/new.txt", "D:/old.txt"), Replaced);
    EXPECT_EQ(ReadAll(m_dFolder / "old.txt"), "new content");
    EXPECT_EQ(transfer.CopyFile("C:/new.txt", "D:/fresh.txt"), Copied);
    EXPECT_EQ(asked, std::vector<std::string>(2, "The file is already exist, Overwrite it?"));
    EXPECT_EQ(HiddenFiles(m_dFolder), 0);
    // A file copied onto itself stays whole.
    EXPECT_EQ(transfer.CopyFile("D:/old.txt", "D:/old.txt"), Replaced);
    EXPECT_EQ(ReadAll(m_dFolder / "old.txt"), "new content");
}

TEST_F(FileTransferLocalTest, CancelInTheSecondBlockKeepsTwoBlocksAndStopsTheBatch)
{
    m_temp.WriteFile("c/big.bin", Pattern(5 * 10240));
    m_temp.WriteFile("c/next.bin", "next");
    RecordingProgress progress;
    progress.cancelAtPump = 2;
    CFileTransfer transfer(nullptr, nullptr);
    transfer.AttachDialog(&progress);
    EXPECT_EQ(transfer.CopyFile("C:/big.bin", "D:/big.bin"), Cancelled);
    EXPECT_EQ(ReadAll(m_dFolder / "big.bin"), Pattern(2 * 10240));
    EXPECT_TRUE(transfer.CancelRequested());
    EXPECT_EQ(transfer.CopyFile("C:/next.bin", "D:/next.bin"), Cancelled);
    EXPECT_FALSE(fs::exists(m_dFolder / "next.bin"));
    transfer.Finish();
    EXPECT_FALSE(progress.dismissed);   // the dialog went away with the cancel
}

TEST_F(FileTransferLocalTest, AReplaceThatFailsOrIsCancelledLeavesTheOldFile)
{
    m_temp.WriteFile("c/big.bin", Pattern(8 * 10240));
    m_temp.WriteFile("d/big.bin", "the user's old file");
    ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
    {
        // The disk fills up after three blocks.
        const ResourceLimit limit = FileSizeLimit(3 * 10240);
        CFileTransfer transfer(nullptr, nullptr);
        EXPECT_EQ(transfer.CopyFile("C:/big.bin", "D:/big.bin"), CopyFailed);
        EXPECT_NE(transfer.GetLastError(), "");
    }
    EXPECT_EQ(ReadAll(m_dFolder / "big.bin"), "the user's old file");
    EXPECT_EQ(HiddenFiles(m_dFolder), 0);

    RecordingProgress progress;
    progress.cancelAtPump = 2;
    CFileTransfer transfer(nullptr, nullptr);
    transfer.AttachDialog(&progress);
    EXPECT_EQ(transfer.CopyFile("C:/big.bin", "D:/big.bin"), Cancelled);
    EXPECT_EQ(ReadAll(m_dFolder / "big.bin"), "the user's old file");
    EXPECT_EQ(HiddenFiles(m_dFolder), 0);
}

TEST_F(FileTransferLocalTest, FailuresAreNeverCopies)
{
    m_temp.WriteFile("c/src.txt", "x");
    m_temp.MakeDir("c/folder");
    {
        // A full disk on a new name: the part that arrived stays, the result says failed.
        m_temp.WriteFile("c/big.bin", Pattern(4 * 10240));
        const ResourceLimit limit = FileSizeLimit(10240 + 100);
        CFileTransfer transfer(nullptr, nullptr);
        EXPECT_EQ(transfer.CopyFile("C:/big.bin", "D:/big.bin"), CopyFailed);
    }
    CFileTransfer transfer(nullptr, nullptr);
    EXPECT_EQ(transfer.CopyFile("C:/missing.txt", "D:/missing.txt"), CopyFailed);
    EXPECT_FALSE(fs::exists(m_dFolder / "missing.txt"));
    EXPECT_EQ(transfer.CopyFile("C:/folder", "D:/folder"), CopyFailed);
    EXPECT_FALSE(fs::exists(m_dFolder / "folder"));
    EXPECT_EQ(transfer.CopyFile("C:/src.txt", "D:/no such folder/src.txt"), CopyFailed);
    EXPECT_EQ(transfer.CopyFile("C:/src.txt", "Q:/src.txt"), CopyFailed);   // no such drive
}

TEST_F(FileTransferLocalTest, SizesBeyondFourGibibytesReachTheDialog)
{
    fs::resize_file(m_temp.WriteFile("c/huge.img", ""), kOver4GiB);   // sparse
    RecordingProgress progress;
    progress.cancelAtPump = 1;
    CFileTransfer transfer(nullptr, nullptr);
    transfer.AttachDialog(&progress);
    EXPECT_EQ(transfer.CopyFile("C:/huge.img", "D:/huge.img"), Cancelled);
    ASSERT_EQ(progress.shown.size(), 2U);
    EXPECT_EQ(progress.shown[0].status, "0K of 5242880K ( in 0K/sec )");
    EXPECT_EQ(progress.shown[1].status.substr(0, 15), "10K of 5242880K");
    EXPECT_EQ(progress.shown[1].percent, "0%");
    EXPECT_EQ(progress.barRange, 65535U);
}

TEST_F(FileTransferLocalTest, TheModeFollowsTheEndpoints)
{
    // Only the pointers matter for the mode; none of these is ever used as a connection here.
    auto* a = reinterpret_cast<CFtpConnection*>(0x1000);
    auto* b = reinterpret_cast<CFtpConnection*>(0x2000);
    EXPECT_EQ(CFileTransfer(nullptr, a).GetMode(), LocalToRemote);
    EXPECT_EQ(CFileTransfer(a, nullptr).GetMode(), RemoteToLocal);
    EXPECT_EQ(CFileTransfer(a, b).GetMode(), RemoteToRemote);
    // Within one host without a way to open the second connection: every file fails at once,
    // before any question.
    CFileTransfer same(a, a);
    EXPECT_EQ(same.GetMode(), SameRemote);
    EXPECT_FALSE(same.HasExtraConnection());
    int asked = 0;
    ScopedMessageBoxAnswerer answerer([&](const std::string&, long) { return ++asked, wxYES; });
    EXPECT_EQ(same.CopyFile("/a", "/b"), CopyFailed);
    EXPECT_EQ(asked, 0);
}

TEST_F(FileTransferLocalTest, ABatchRunsUntilItIsFinishedInAnyOrder)
{
    EXPECT_FALSE(CFileTransfer::IsBatchRunning());
    auto first = std::make_unique<CFileTransfer>(nullptr, nullptr);
    auto second = std::make_unique<CFileTransfer>(nullptr, nullptr);
    first.reset();
    EXPECT_TRUE(CFileTransfer::IsBatchRunning());
    CFileTransfer::CancelRunningBatch();
    EXPECT_TRUE(second->CancelRequested());
    second->Finish();
    EXPECT_FALSE(CFileTransfer::IsBatchRunning());
}

TEST(TransferSetupForTest, TakesTheSourceRegionsProfileAndTheLiveTransferType)
{
    ProfileState state;
    for (const char* name : {"upper", "lower"}) {
        auto profile = std::make_unique<HostProfile>();
        profile->name = name;
        state.profiles[name] = std::move(profile);
    }
    state.lastProfileName = {"upper", "lower"};
    auto* upper = reinterpret_cast<CFtpConnection*>(0x1000);
    auto* lower = reinterpret_cast<CFtpConnection*>(0x2000);
    EXPECT_EQ(TransferSetupFor(state, upper, {upper, lower}, {}).sourceProfile->name, "upper");
    EXPECT_EQ(TransferSetupFor(state, lower, {upper, lower}, {}).sourceProfile->name, "lower");
    const TransferSetup setup = TransferSetupFor(state, lower, {upper, lower}, {});
    state.transferType = 1;
    EXPECT_EQ(setup.transferType(), 1);
    state.lastProfileName[1] = "deleted since";
    EXPECT_EQ(TransferSetupFor(state, lower, {upper, lower}, {}).sourceProfile, nullptr);
}

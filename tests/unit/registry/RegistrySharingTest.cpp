// Two instances of the program on one registry file: each write keeps what the other wrote.

#include "ProcessBounds.h"
#include "RegistryFixture.h"

#include "platform/registry/RegistryBatch.h"

#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>

namespace {

using Bytes = std::vector<BYTE>;

const char* const kKey = "Software\\Ferrix Software\\Ferrix FTP\\User Profiles";

int SetInChild(const char* name, BYTE byte)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 1;
    const BYTE data[] = {byte};
    return RegSetValueExA(key, name, 0, REG_BINARY, data, 1) == ERROR_SUCCESS ? 0 : 2;
}

TEST_F(RegistryTest, EachInstanceWritesOnlyItsOwnChanges)
{
    ScopedAlarm bound(60);
    HKEY key = Open(kKey);
    ASSERT_EQ(Set(key, "A", REG_BINARY, {1}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "B", REG_BINARY, {1}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "C", REG_BINARY, {1}), ERROR_SUCCESS);

    // The second instance starts now, reads the file and changes B, deletes C and adds D.
    const pid_t second = StartSecondInstance([] {
        HKEY own = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &own, nullptr) != ERROR_SUCCESS)
            return 1;
        const BYTE two[] = {2};
        if (RegSetValueExA(own, "b", 0, REG_BINARY, two, 1) != ERROR_SUCCESS || RegDeleteValueA(own, "C") != ERROR_SUCCESS)
            return 2;
        return SetInChild("D", 4);
    });
    ASSERT_EQ(WaitForInstance(second), 0);

    // This instance never read those changes; its own write keeps them and shows them.
    ASSERT_EQ(Set(key, "A", REG_BINARY, {2}), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_EQ(Query(key, "B"), Bytes{2});
    EXPECT_EQ(Query(key, "D"), Bytes{4});

    // Both change E; the later save wins, in either order.
    ASSERT_EQ(WaitForInstance(StartSecondInstance([] { return SetInChild("E", 5); })), 0);
    ASSERT_EQ(Set(key, "E", REG_BINARY, {6}), ERROR_SUCCESS);
    ASSERT_EQ(WaitForInstance(StartSecondInstance([] { return SetInChild("E", 7); })), 0);

    // A save writes every value again, deleted and set with the bytes this instance holds:
    // only what it changed (A) overrides the other instance's E.
    {
        RegistryBatch batch;
        for (const char* name : {"A", "B", "D", "E"})
            ASSERT_EQ(RegDeleteValueA(key, name), ERROR_SUCCESS);
        for (const auto& [name, byte] : std::vector<std::pair<const char*, BYTE>>{{"A", 3}, {"B", 2}, {"D", 4}, {"E", 6}})
            ASSERT_EQ(Set(key, name, REG_BINARY, {byte}), ERROR_SUCCESS);
        ASSERT_EQ(batch.Commit(), ERROR_SUCCESS);
    }
    RegCloseKey(key);

    RegistryReload();
    key = Open(kKey);
    std::vector<std::string> names = ValueNames(key);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "D", "E"}));
    EXPECT_EQ(Query(key, "A"), Bytes{3});
    EXPECT_EQ(Query(key, "E"), Bytes{7});
    RegCloseKey(key);
}

TEST_F(RegistryTest, WriteWaitsForTheOtherInstancesLock)
{
    ScopedAlarm bound(60);
    HKEY key = Open(kKey);
    ASSERT_EQ(Set(key, "Mine", REG_BINARY, {1}), ERROR_SUCCESS);
    const std::string folder = m_dir.Str();
    const std::string file = FilePath();

    // The other instance holds the lock while it writes its file, slowly.
    Signal locked;
    const pid_t second = ::fork();
    if (second == 0) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
            ::_exit(1);
        locked.Raise();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Ferrix Software\\Ferrix FTP\\User Profiles]\n"
               "\"Mine\"=hex:01\n\"Theirs\"=hex:02\n\n";
        ::_exit(0);
    }
    ASSERT_TRUE(locked.Wait());
    ASSERT_EQ(Set(key, "Later", REG_BINARY, {3}), ERROR_SUCCESS);
    ASSERT_EQ(WaitForInstance(second), 0);

    RegistryReload();
    key = Open(kKey);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Mine", "Theirs", "Later"}));
    RegCloseKey(key);
}

TEST_F(RegistryTest, LockHeldForTooLongFailsTheWriteWithAReason)
{
    ScopedAlarm bound(60);
    HKEY key = Open(kKey);
    const int fd = ::open(m_dir.Str().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    // flock locks belong to the open folder, so this process's own store waits for it too.
    EXPECT_EQ(Set(key, "Blocked", REG_BINARY, {1}), ERROR_LOCK_VIOLATION);
    ::close(fd);
    EXPECT_EQ(RegistryLastFailure().file, FilePath());
    EXPECT_NE(RegistryLastFailure().reason.find("locked"), std::string::npos);
    bool found = true;
    Query(key, "Blocked", nullptr, &found);
    EXPECT_FALSE(found);
    ASSERT_EQ(Set(key, "Free", REG_BINARY, {1}), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(RegistryTest, BatchWritesOnceAndFailedBatchIsUndone)
{
    HKEY key = Open(kKey);
    ASSERT_EQ(Set(key, "Kept", REG_BINARY, {1}), ERROR_SUCCESS);
    const std::string before = FileText();
    {
        RegistryBatch batch;
        ASSERT_EQ(Set(key, "One", REG_BINARY, {1}), ERROR_SUCCESS);
        ASSERT_EQ(RegDeleteValueA(key, "Kept"), ERROR_SUCCESS);
        HKEY child = Open(std::string(kKey) + "\\New");
        // Nothing reaches the file before the commit.
        EXPECT_EQ(FileText(), before);
        EXPECT_EQ(ValueNames(key), std::vector<std::string>{"One"});
        RegCloseKey(child);

        // A folder in the file's place makes the commit fail: everything is undone.
        std::filesystem::rename(FilePath(), FilePath() + ".saved");
        std::filesystem::create_directory(FilePath());
        EXPECT_EQ(batch.Commit(), ERROR_WRITE_FAULT);
        std::filesystem::remove(FilePath());
        std::filesystem::rename(FilePath() + ".saved", FilePath());
    }
    EXPECT_EQ(ValueNames(key), std::vector<std::string>{"Kept"});
    HKEY child = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(key, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(child);
    RegCloseKey(key);
}

} // namespace

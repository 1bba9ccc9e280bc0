#include "RegistryFixture.h"

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<BYTE>;
namespace fs = std::filesystem;

const std::string kValidFile = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"Old\"=hex:01,02\n\n";

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_old); }

private:
    mode_t m_old;
};

// Caps the size of files this process may write; the kernel enforces it for root too.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(RegistryTest, FileIsOwnerOnlyAlsoUnderOpenUmask)
{
    ScopedUmask open(0);
    HKEY key = Open("Software\\Mode");
    EXPECT_EQ(ModeOf(FilePath()), 0600u);
    ::chmod(FilePath().c_str(), 0644);
    ASSERT_EQ(Set(key, "Again", REG_BINARY, {1}), ERROR_SUCCESS);
    EXPECT_EQ(ModeOf(FilePath()), 0600u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, NoTemporaryFileIsLeftBehind)
{
    HKEY key = Open("Software\\Tidy");
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(Set(key, "N", REG_BINARY, {static_cast<BYTE>(i)}), ERROR_SUCCESS);
    RegDeleteValueA(key, "N");
    EXPECT_EQ(EntriesOf(m_dir.Path()), std::vector<std::string>{"registry.reg"});
    RegCloseKey(key);
}

TEST_F(RegistryTest, FailedWriteKeepsOldFileAndReportsError)
{
    WriteFileText(kValidFile);
    HKEY key = Open("Software");
    ASSERT_EQ(Query(key, "Old"), (Bytes{1, 2}));
    {
        ScopedFileSizeLimit limit(kValidFile.size() + 16);
        EXPECT_EQ(Set(key, "Big", REG_BINARY, Bytes(4096, 0x55)), ERROR_WRITE_FAULT);
    }
    EXPECT_EQ(FileText(), kValidFile);
    EXPECT_EQ(EntriesOf(m_dir.Path()), std::vector<std::string>{"registry.reg"});
    // Memory agrees with the disk: the refused value is not there.
    bool found = true;
    Query(key, "Big", nullptr, &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(ValueNames(key), std::vector<std::string>{"Old"});
    RegCloseKey(key);
}

TEST_F(RegistryTest, FailedDeleteAndFailedNewKeyAreUndone)
{
    WriteFileText(kValidFile);
    HKEY key = Open("Software");
    {
        ScopedFileSizeLimit limit(8);
        EXPECT_EQ(RegDeleteValueA(key, "Old"), ERROR_WRITE_FAULT);
        HKEY child = nullptr;
        EXPECT_EQ(RegCreateKeyExA(key, "New\\Deeper", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
                  ERROR_WRITE_FAULT);
    }
    EXPECT_EQ(FileText(), kValidFile);
    EXPECT_EQ(Query(key, "Old"), (Bytes{1, 2}));
    DWORD disposition = 0;
    HKEY child = nullptr;
    ASSERT_EQ(RegCreateKeyExA(key, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(child);
    RegCloseKey(key);
}

TEST_F(RegistryTest, TargetThatCannotBeReplacedFailsWithoutStrayFiles)
{
    // A directory in the file's place cannot be renamed over, whoever runs the test.
    fs::create_directory(FilePath());
    m_dir.WriteFile("registry.reg/keep", "x");
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Blocked", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_WRITE_FAULT);
    EXPECT_EQ(EntriesOf(m_dir.Path()), std::vector<std::string>{"registry.reg"});
    EXPECT_TRUE(fs::is_directory(FilePath()));
}

TEST_F(RegistryTest, CorruptFileIsKeptAsideAndStoreStartsEmpty)
{
    const std::string garbage = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"Cut\"=hex:01,02,\\\n";
    WriteFileText(garbage);
    HKEY key = Open("Software");
    EXPECT_TRUE(ValueNames(key).empty());
    RegCloseKey(key);

    std::vector<std::string> entries = EntriesOf(m_dir.Path());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], "registry.reg");
    EXPECT_EQ(entries[1].rfind("registry.reg.corrupt-", 0), 0u);
    std::ifstream aside(m_dir.Path() / entries[1], std::ios::binary);
    std::string kept((std::istreambuf_iterator<char>(aside)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, garbage);
}

TEST_F(RegistryTest, MalformedFilesNeverCrashAndReadAsEmpty)
{
    std::mt19937 random(12345);
    std::string binary(20000, '\0');
    for (char& c : binary)
        c = static_cast<char>(random());
    const std::vector<std::string> samples = {
        binary,
        "REGEDIT4\n" + binary,
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:" + std::string(3000000, 'f') + "\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:1,2,3,\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:123\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex(:01\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"unterminated=hex:01\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"bad \\n escape\"\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"text\" trailing\n",
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=hex:01\n",
        "REGEDIT4\n\n\"orphan\"=hex:01\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A\n",
        "Windows Registry Editor Version 5.00\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,\\",
    };
    for (const std::string& sample : samples) {
        RegistryReload();
        for (const auto& entry : fs::directory_iterator(m_dir.Path()))
            fs::remove(entry.path());
        WriteFileText(sample);
        HKEY key = Open("A");
        EXPECT_TRUE(ValueNames(key).empty()) << sample.substr(0, 60);
        RegCloseKey(key);
        EXPECT_EQ(EntriesOf(m_dir.Path()).size(), 2u) << sample.substr(0, 60);
    }
}

TEST_F(RegistryTest, EmptyOrMissingFileIsAnEmptyStore)
{
    HKEY key = Open("Software");
    EXPECT_TRUE(ValueNames(key).empty());
    RegCloseKey(key);

    RegistryReload();
    WriteFileText("");
    key = Open("Software");
    EXPECT_TRUE(ValueNames(key).empty());
    RegCloseKey(key);
    EXPECT_EQ(EntriesOf(m_dir.Path()), std::vector<std::string>{"registry.reg"});
}

TEST_F(RegistryTest, StoreIsReadOnlyOnFirstUse)
{
    HKEY key = Open("Software");
    ASSERT_EQ(Set(key, "Mine", REG_BINARY, {1}), ERROR_SUCCESS);
    // Another writer's file is not seen until the store is read again.
    WriteFileText(kValidFile);
    EXPECT_EQ(ValueNames(key), std::vector<std::string>{"Mine"});
    RegCloseKey(key);
    RegistryReload();
    key = Open("Software");
    EXPECT_EQ(ValueNames(key), std::vector<std::string>{"Old"});
    RegCloseKey(key);
}

} // namespace

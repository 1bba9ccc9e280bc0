// What may stand at the file's path: a FIFO never hangs the program, a symbolic link is written
// through to its target.

#include "ProcessBounds.h"
#include "RegistryFixture.h"

#include "platform/registry/RegistryBatch.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<BYTE>;
namespace fs = std::filesystem;

TEST_F(RegistryTest, FifoAtThePathNeitherHangsNorIsReplaced)
{
    ScopedAlarm bound(30);
    ASSERT_EQ(::mkfifo(FilePath().c_str(), 0600), 0);
    HKEY key = nullptr;
    // Start-up reads the store: an empty one, at once.
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Fifo", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_WRITE_FAULT);
    EXPECT_EQ(RegistryLastFailure().file, FilePath());
    EXPECT_NE(RegistryLastFailure().reason.find("not a regular file"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(FilePath()));
    EXPECT_EQ(EntriesOf(m_dir.Path()), std::vector<std::string>{"registry.reg"});
}

TEST_F(RegistryTest, LinkedFileIsWrittenThroughToItsTarget)
{
    // A dotfile kept in a folder of its own, linked relatively, as dotfile managers do; the
    // target does not exist yet at the first write.
    m_dir.MakeDir("dotfiles");
    fs::create_symlink("dotfiles/ferrix.reg", FilePath());
    HKEY key = Open("Software\\Linked");
    ASSERT_EQ(Set(key, "First", REG_BINARY, {1}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "Second", REG_BINARY, {2}), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_TRUE(fs::is_symlink(FilePath()));
    EXPECT_EQ(EntriesOf(m_dir.Path()), (std::vector<std::string>{"dotfiles", "registry.reg"}));
    EXPECT_EQ(EntriesOf(m_dir.Path() / "dotfiles"), std::vector<std::string>{"ferrix.reg"});
    struct stat info {};
    ASSERT_EQ(::stat(FilePath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    RegistryReload();
    key = Open("Software\\Linked");
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"First", "Second"}));
    RegCloseKey(key);
}

TEST_F(RegistryTest, CircleOfLinksFailsWithItsReason)
{
    ScopedAlarm bound(30);
    fs::create_symlink("other.reg", FilePath());
    fs::create_symlink("registry.reg", m_dir.Path() / "other.reg");
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Circle", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_WRITE_FAULT);
    EXPECT_EQ(RegistryLastFailure().reason, std::generic_category().message(ELOOP));
    EXPECT_TRUE(fs::is_symlink(FilePath()));
}

} // namespace

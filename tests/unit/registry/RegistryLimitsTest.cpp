// What the store refuses: names and depths beyond the platform's limits, and any change that
// would make the file larger than the store reads back. Each case is bounded in memory.

#include "ProcessBounds.h"
#include "RegistryFixture.h"

#include "platform/registry/RegistryBatch.h"
#include "platform/registry/RegistryTree.h"

#include <filesystem>

namespace {

using Bytes = std::vector<BYTE>;
namespace fs = std::filesystem;

constexpr rlim_t kMemoryBound = 768u << 20;

std::string Chain(std::size_t depth, const std::string& name = "k")
{
    std::string path;
    for (std::size_t i = 0; i < depth; ++i)
        path += (i ? "\\" : "") + name;
    return path;
}

LONG Create(HKEY base, const std::string& path, HKEY* key)
{
    return RegCreateKeyExA(base, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key, nullptr);
}

TEST_F(RegistryTest, NamesAndDepthAtTheLimitAreTakenAndOneMoreIsRefused)
{
    ScopedAddressSpaceLimit memory(kMemoryBound);
    struct Case {
        std::string path;
        LONG expected;
    };
    const std::vector<Case> keys = {
        {std::string(kMaxRegistryKeyNameLength, 'n'), ERROR_SUCCESS},
        {std::string(kMaxRegistryKeyNameLength + 1, 'n'), ERROR_INVALID_PARAMETER},
        {Chain(kMaxRegistryKeyDepth), ERROR_SUCCESS},
        {Chain(kMaxRegistryKeyDepth + 1), ERROR_INVALID_PARAMETER},
        {Chain(1000000), ERROR_INVALID_PARAMETER},
    };
    for (const Case& test : keys) {
        HKEY key = nullptr;
        EXPECT_EQ(Create(HKEY_CURRENT_USER, test.path, &key), test.expected) << test.path.size();
        if (key)
            RegCloseKey(key);
    }
    // The depth counts from the root, also for a path below an open key.
    HKEY middle = nullptr;
    ASSERT_EQ(Create(HKEY_CURRENT_USER, Chain(500), &middle), ERROR_SUCCESS);
    HKEY key = nullptr;
    EXPECT_EQ(Create(middle, Chain(12, "m"), &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(Create(middle, Chain(13, "m"), &key), ERROR_INVALID_PARAMETER);
    EXPECT_NE(RegistryLastFailure().reason.find("512"), std::string::npos);

    EXPECT_EQ(Set(middle, std::string(kMaxRegistryValueNameLength, 'v').c_str(), REG_BINARY, {1}), ERROR_SUCCESS);
    EXPECT_EQ(Set(middle, std::string(kMaxRegistryValueNameLength + 1, 'v').c_str(), REG_BINARY, {1}),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(middle);

    // What was taken reads back after a restart.
    RegistryReload();
    ASSERT_EQ(Create(HKEY_CURRENT_USER, Chain(500), &middle), ERROR_SUCCESS);
    bool found = false;
    EXPECT_EQ(Query(middle, std::string(kMaxRegistryValueNameLength, 'v').c_str(), nullptr, &found), Bytes{1});
    EXPECT_TRUE(found);
    RegCloseKey(middle);
}

TEST_F(RegistryTest, ChangeThatWouldOutgrowWhatTheStoreReadsIsRefused)
{
    ScopedAddressSpaceLimit memory(kMemoryBound);
    HKEY key = Open("Software\\Big");
    ASSERT_EQ(Set(key, "Small", REG_BINARY, {1}), ERROR_SUCCESS);
    const std::string before = FileText();

    // 90 MB of bytes take about 285 MB as text: past what a restart would read.
    const Bytes huge(90u << 20, 0x5A);
    EXPECT_EQ(Set(key, "Huge", REG_BINARY, huge), ERROR_NOT_ENOUGH_QUOTA);
    EXPECT_EQ(RegistryLastFailure().file, FilePath());
    {
        RegistryBatch batch;
        EXPECT_EQ(Set(key, "Huge", REG_BINARY, huge), ERROR_NOT_ENOUGH_QUOTA);
        EXPECT_EQ(Set(key, "Other", REG_BINARY, {2}), ERROR_SUCCESS);
        EXPECT_EQ(batch.Commit(), ERROR_SUCCESS);
    }
    bool found = true;
    Query(key, "Huge", nullptr, &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Small", "Other"}));
    EXPECT_LT(FileText().size(), before.size() + 64);
    RegCloseKey(key);
}

TEST_F(RegistryTest, FileWithKeysBeyondTheLimitsIsSetAsideWithoutCrash)
{
    ScopedAddressSpaceLimit memory(kMemoryBound);
    ScopedAlarm bound(120);
    // A 600 KB file of one path 300,000 keys deep, a key name too long, a value name too long.
    const std::vector<std::string> files = {
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + Chain(300000, "a") + "]\n\"x\"=hex:01\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + Chain(kMaxRegistryKeyDepth + 1, "a") + "]\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + std::string(kMaxRegistryKeyNameLength + 1, 'a') + "]\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"" + std::string(kMaxRegistryValueNameLength + 1, 'v') + "\"=hex:01\n",
    };
    for (const std::string& text : files) {
        RegistryReload();
        for (const auto& entry : fs::directory_iterator(m_dir.Path()))
            fs::remove(entry.path());
        WriteFileText(text);
        HKEY key = Open("Software");
        ASSERT_EQ(Set(key, "After", REG_BINARY, {1}), ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.Path()), fs::directory_iterator()), 2);
        EXPECT_LT(FileText().size(), 100u);
    }
}

TEST(RegistryTree, DeepTreeIsFreedWithoutRecursion)
{
    // Deep enough that one stack frame per level would overflow the stack many times over.
    auto root = std::make_unique<RegistryNode>("root");
    RegistryNode* key = root.get();
    bool created = false;
    for (int depth = 0; depth < 1000000; ++depth)
        key = &key->ObtainSubkey("k", created);
    root.reset();
    SUCCEED();
}

} // namespace

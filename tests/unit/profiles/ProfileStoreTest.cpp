#include "ProfileFixture.h"

#include "profiles/ProfileStore.h"

namespace {

const std::string kKey = "Software\\Ferrix Test\\Store\\";

TEST(ProfileStoreValues, SetValueRefusesHeldNameAndCopiesData)
{
    CProfileStore store;
    std::string data = "abc";
    EXPECT_TRUE(store.SetValue("A", data.data(), 3, REG_BINARY));
    data = "xyz";
    EXPECT_FALSE(store.SetValue("A", data.data(), 3, REG_BINARY));
    EXPECT_TRUE(store.SetValue("a", data.data(), 3, REG_SZ));

    char out[8] = {};
    ASSERT_TRUE(store.GetValue("A", out, sizeof out));
    EXPECT_STREQ(out, "abc");
    EXPECT_EQ(store.values.at("a")->type, REG_SZ);
    EXPECT_EQ(store.values.at("A")->length, 3u);
    EXPECT_EQ(store.values.at("A")->name, "A");
    EXPECT_FALSE(store.GetValue("B", out, sizeof out));
}

TEST(ProfileStoreValues, GetValueCopiesAtMostTheGivenLength)
{
    CProfileStore store;
    store.SetValue("V", "12345678", 8, REG_BINARY);
    char out[8] = {'-', '-', '-', '-', '-', '-', '-', '-'};
    ASSERT_TRUE(store.GetValue("V", out, 3));
    EXPECT_EQ(std::string(out, 8), "123-----");
    store.RemoveAll();
    EXPECT_TRUE(store.values.empty());
}

TEST_F(ProfileRunTest, StoreSavesAndLoadsEveryValue)
{
    CProfileStore store;
    store.SetValue("One", "1", 1, REG_BINARY);
    store.SetValue("Two", "22", 2, REG_DWORD);
    ASSERT_EQ(store.Save(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    RegistryReload();

    CProfileStore loaded;
    loaded.SetValue("Stale", "x", 1, REG_BINARY);
    ASSERT_EQ(loaded.Load(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    ASSERT_EQ(loaded.values.size(), 2u);
    EXPECT_EQ(loaded.values.at("Two")->data, (std::vector<std::uint8_t>{'2', '2'}));
    EXPECT_EQ(loaded.values.at("Two")->type, REG_DWORD);
    EXPECT_EQ(loaded.modified, 0);
}

TEST_F(ProfileRunTest, LoadCreatesAMissingKeyEmpty)
{
    CProfileStore store;
    EXPECT_EQ(store.Load(HKEY_CURRENT_USER, "Software\\Nobody\\Here\\"), ERROR_SUCCESS);
    EXPECT_TRUE(store.values.empty());
    EXPECT_NE(FileText().find("[HKEY_CURRENT_USER\\Software\\Nobody\\Here]"), std::string::npos);
}

TEST_F(ProfileRunTest, ValuesLongerThanTheFirstBuffersLoadAndSoDoTheValuesAfterThem)
{
    const std::string longData(5000, 'd');
    const std::string longName(300, 'N');
    PutValue(kKey, "Before", "b");
    PutValue(kKey, "Long", longData);
    PutValue(kKey, longName, "n");
    PutValue(kKey, "After", "a");
    RegistryReload();

    CProfileStore store;
    ASSERT_EQ(store.Load(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    ASSERT_EQ(store.values.size(), 4u);
    EXPECT_EQ(std::string(store.values.at("Long")->data.begin(), store.values.at("Long")->data.end()), longData);
    EXPECT_EQ(store.values.at("Long")->length, 5000u);
    EXPECT_EQ(store.values.at(longName)->data, std::vector<std::uint8_t>{'n'});
    EXPECT_EQ(store.values.at("After")->data, std::vector<std::uint8_t>{'a'});
}

TEST_F(ProfileRunTest, DeleteValueRemovesFromRegistryNotFromStore)
{
    PutValue(kKey, "Gone", "g");
    CProfileStore store;
    ASSERT_EQ(store.Load(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    EXPECT_EQ(store.DeleteValue(HKEY_CURRENT_USER, kKey, "Gone"), ERROR_SUCCESS);
    EXPECT_EQ(store.DeleteValue(HKEY_CURRENT_USER, kKey, "Gone"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.values.count("Gone"), 1u);
    EXPECT_EQ(StoredValue(kKey, "Gone"), "<none>");
}

TEST_F(ProfileRunTest, FailuresReturnTheRegistryCode)
{
    HKEY closed = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &closed,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(closed);
    CProfileStore store;
    store.SetValue("V", "v", 1, REG_BINARY);
    EXPECT_EQ(store.Load(closed, "Any"), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(store.values.empty());
    store.SetValue("V", "v", 1, REG_BINARY);
    EXPECT_EQ(store.Save(closed, "Any"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(store.DeleteValue(closed, "Any", "V"), ERROR_INVALID_HANDLE);
}

} // namespace

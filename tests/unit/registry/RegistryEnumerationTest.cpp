#include "RegistryFixture.h"

namespace {

using Bytes = std::vector<BYTE>;

TEST_F(RegistryTest, ValuesEnumerateInCreationOrderThenNoMoreItems)
{
    HKEY key = Open("Software\\Order");
    for (const char* name : {"Zulu", "alpha", "Mike"})
        ASSERT_EQ(Set(key, name, REG_BINARY, {1}), ERROR_SUCCESS);
    // Replacing a value keeps its place.
    ASSERT_EQ(Set(key, "ZULU", REG_BINARY, {2}), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Zulu", "alpha", "Mike"}));

    char name[16];
    DWORD nameLength = sizeof name;
    EXPECT_EQ(RegEnumValueA(key, 3, name, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, 259);

    RegistryReload();
    key = Open("Software\\Order");
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Zulu", "alpha", "Mike"}));
    RegCloseKey(key);
}

TEST_F(RegistryTest, EnumerationReportsNameDataAndType)
{
    HKEY key = Open("Software\\Enum");
    ASSERT_EQ(Set(key, "Bin", REG_BINARY, {0, 0xFF, 7}), ERROR_SUCCESS);

    char name[16];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    BYTE data[8] = {};
    DWORD dataLength = sizeof data;
    ASSERT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, &type, data, &dataLength), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Bin");
    EXPECT_EQ(nameLength, 3u);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(dataLength, 3u);
    EXPECT_EQ(Bytes(data, data + 3), (Bytes{0, 0xFF, 7}));
    RegCloseKey(key);
}

TEST_F(RegistryTest, SmallDataBufferGivesMoreDataWithNeededSize)
{
    HKEY key = Open("Software\\Sizes");
    Bytes big(300, 0xAB);
    ASSERT_EQ(Set(key, "Big", REG_BINARY, big), ERROR_SUCCESS);

    char name[16];
    DWORD nameLength = sizeof name;
    BYTE data[261];
    DWORD dataLength = sizeof data;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr, data, &dataLength), ERROR_MORE_DATA);
    EXPECT_EQ(ERROR_MORE_DATA, 234);
    EXPECT_EQ(dataLength, 300u);

    dataLength = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, "Big", nullptr, nullptr, data, &dataLength), ERROR_MORE_DATA);
    EXPECT_EQ(dataLength, 300u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, SmallNameBufferGivesMoreData)
{
    HKEY key = Open("Software\\Sizes");
    ASSERT_EQ(Set(key, "ALongerValueName", REG_BINARY, {1}), ERROR_SUCCESS);

    char name[8];
    DWORD nameLength = sizeof name;
    BYTE data[4];
    DWORD dataLength = sizeof data;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr, data, &dataLength), ERROR_MORE_DATA);
    EXPECT_EQ(nameLength, 17u);
    // Exactly the name's length leaves no room for its NUL.
    char exact[16];
    nameLength = sizeof exact;
    EXPECT_EQ(RegEnumValueA(key, 0, exact, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    RegCloseKey(key);
}

TEST_F(RegistryTest, NullDataAsksOnlyForTheSize)
{
    HKEY key = Open("Software\\Sizes");
    ASSERT_EQ(Set(key, "Five", REG_BINARY, {1, 2, 3, 4, 5}), ERROR_SUCCESS);

    char name[16];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    DWORD dataLength = 0;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, &type, nullptr, &dataLength), ERROR_SUCCESS);
    EXPECT_EQ(dataLength, 5u);
    EXPECT_EQ(type, REG_BINARY);

    dataLength = 0;
    EXPECT_EQ(RegQueryValueExA(key, "five", nullptr, &type, nullptr, &dataLength), ERROR_SUCCESS);
    EXPECT_EQ(dataLength, 5u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, MissingValueQueryIsNotFound)
{
    HKEY key = Open("Software\\Query");
    DWORD dataLength = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Nothing", nullptr, nullptr, nullptr, &dataLength), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

} // namespace

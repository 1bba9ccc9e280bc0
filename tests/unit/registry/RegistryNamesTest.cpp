#include "RegistryFixture.h"

namespace {

using Bytes = std::vector<BYTE>;

TEST_F(RegistryTest, KeyNamesMatchWithoutRegardToCase)
{
    HKEY first = Open("Software\\Ferrix\\Setting");
    ASSERT_EQ(Set(first, "Version", REG_BINARY, {0xCA, 0, 0, 0}), ERROR_SUCCESS);

    HKEY again = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\ferrix\\SETTING\\", 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(Query(again, "version"), (Bytes{0xCA, 0, 0, 0}));
    RegCloseKey(first);
    RegCloseKey(again);
}

TEST_F(RegistryTest, FirstSpellingOfKeyAndValueNamesIsKept)
{
    HKEY key = Open("Software\\MixedCase");
    ASSERT_EQ(Set(key, "Lab", REG_BINARY, {1}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "LAB", REG_BINARY, {2, 3}), ERROR_SUCCESS);
    RegCloseKey(Open("software\\MIXEDCASE"));

    EXPECT_EQ(ValueNames(key), std::vector<std::string>{"Lab"});
    EXPECT_EQ(Query(key, "lab"), (Bytes{2, 3}));
    EXPECT_NE(FileText().find("[HKEY_CURRENT_USER\\Software\\MixedCase]"), std::string::npos);
    EXPECT_EQ(FileText().find("MIXEDCASE"), std::string::npos);
    RegCloseKey(key);
}

TEST_F(RegistryTest, SetOnExistingNameReplacesTypeAndData)
{
    HKEY key = Open("Software\\Replace");
    ASSERT_EQ(SetText(key, "Value", "a long text"), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "VALUE", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);

    DWORD type = 0;
    EXPECT_EQ(Query(key, "value", &type), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(type, REG_DWORD);
    RegCloseKey(key);
}

TEST_F(RegistryTest, OtherTypesKeepTheirNumberAndBytes)
{
    HKEY key = Open("Software\\Types");
    ASSERT_EQ(Set(key, "Multi", 7, {'a', 0, 'b', 0, 0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "Empty", REG_BINARY, {}), ERROR_SUCCESS);
    RegCloseKey(key);
    RegistryReload();

    key = Open("Software\\Types");
    DWORD type = 0;
    EXPECT_EQ(Query(key, "Multi", &type), (Bytes{'a', 0, 'b', 0, 0}));
    EXPECT_EQ(type, 7u);
    bool found = false;
    EXPECT_TRUE(Query(key, "Empty", &type, &found).empty());
    EXPECT_TRUE(found);
    EXPECT_EQ(type, REG_BINARY);
    RegCloseKey(key);
}

TEST_F(RegistryTest, EmptyNameIsTheDefaultValue)
{
    HKEY key = Open("Software\\Default");
    ASSERT_EQ(SetText(key, "", "default text"), ERROR_SUCCESS);
    std::string expected = "default text";
    Bytes bytes(expected.begin(), expected.end());
    bytes.push_back(0);
    EXPECT_EQ(Query(key, nullptr), bytes);
    EXPECT_NE(FileText().find("@=\"default text\"\n"), std::string::npos);

    RegistryReload();
    key = Open("Software\\Default");
    EXPECT_EQ(Query(key, ""), bytes);
    EXPECT_EQ(ValueNames(key), std::vector<std::string>{""});
    RegCloseKey(key);
}

TEST_F(RegistryTest, DeleteRemovesValueAndMissingValueIsNotFound)
{
    HKEY key = Open("Software\\Delete");
    ASSERT_EQ(Set(key, "One", REG_BINARY, {1}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "Two", REG_BINARY, {2}), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteValueA(key, "ONE"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "One"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ValueNames(key), std::vector<std::string>{"Two"});
    EXPECT_EQ(FileText().find("\"One\""), std::string::npos);
    bool found = true;
    Query(key, "One", nullptr, &found);
    EXPECT_FALSE(found);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ClosedOrUnknownHandleIsInvalid)
{
    HKEY key = Open("Software\\Handles");
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Set(key, "x", REG_BINARY, {1}), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteValueA(key, "x"), ERROR_INVALID_HANDLE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExA(key, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(RegistryTest, HandlesOpenAcrossReloadFailCleanly)
{
    HKEY key = Open("Software\\Reload");
    ASSERT_EQ(Set(key, "Kept", REG_BINARY, {9}), ERROR_SUCCESS);
    RegistryReload();

    EXPECT_EQ(Set(key, "Lost", REG_BINARY, {1}), ERROR_INVALID_HANDLE);
    char name[16];
    DWORD nameLength = sizeof name;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    HKEY reopened = Open("Software\\Reload");
    EXPECT_EQ(Query(reopened, "Kept"), (Bytes{9}));
    EXPECT_EQ(ValueNames(reopened), std::vector<std::string>{"Kept"});
    RegCloseKey(reopened);
}

TEST_F(RegistryTest, NamesTheFileCannotHoldAreRefused)
{
    HKEY key = Open("Software\\Names");
    EXPECT_EQ(Set(key, "two\nlines", REG_BINARY, {1}), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Set(key, "carriage\rreturn", REG_BINARY, {1}), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Set(key, std::string(kMaxRegistryValueNameLength + 1, 'n').c_str(), REG_BINARY, {1}),
              ERROR_INVALID_PARAMETER);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExA(key, "bad\nkey", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyExA(key, std::string(kMaxRegistryKeyNameLength + 1, 'k').c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(ValueNames(key).empty());
    RegCloseKey(key);
}

TEST_F(RegistryTest, NewKeyIsWrittenAtOnce)
{
    HKEY key = Open("Software\\Ferrix Software\\Ferrix FTP\\User Profiles\\");
    EXPECT_EQ(FileText(),
              "REGEDIT4\n\n"
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Ferrix Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Ferrix Software\\Ferrix FTP]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Ferrix Software\\Ferrix FTP\\User Profiles]\n\n");
    RegCloseKey(key);
}

} // namespace

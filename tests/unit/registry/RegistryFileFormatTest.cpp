#include "RegistryFixture.h"

namespace {

using Bytes = std::vector<BYTE>;

TEST_F(RegistryTest, WritesRegeditTextForEachType)
{
    HKEY key = Open("Software\\Ferrix Software\\Ferrix FTP\\Setting");
    ASSERT_EQ(Set(key, "Version", REG_BINARY, {0xCA, 0, 0, 0}), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key, "Quote \"and\" back\\slash", "C:\\Temp \"x\""), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "Count", REG_DWORD, {0xCA, 0, 0, 0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "Expand", 2, {'%', 0}), ERROR_SUCCESS);

    EXPECT_EQ(FileText(),
              "REGEDIT4\n\n"
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Ferrix Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Ferrix Software\\Ferrix FTP]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Ferrix Software\\Ferrix FTP\\Setting]\n"
              "\"Version\"=hex:ca,00,00,00\n"
              "\"Quote \\\"and\\\" back\\\\slash\"=\"C:\\\\Temp \\\"x\\\"\"\n"
              "\"Count\"=dword:000000ca\n"
              "\"Expand\"=hex(2):25,00\n\n");
    RegCloseKey(key);
}

TEST_F(RegistryTest, BinaryDataOfAnyLengthRoundTripsExactly)
{
    Bytes all;
    for (int round = 0; round < 5; ++round)
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<BYTE>(b));
    HKEY key = Open("Software\\Binary");
    ASSERT_EQ(Set(key, "All", REG_BINARY, all), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "Nul", REG_BINARY, {0}), ERROR_SUCCESS);
    // Text-typed data the string form cannot carry: inner NUL, line break, no final NUL.
    ASSERT_EQ(Set(key, "Odd", REG_SZ, {'a', 0, 'b', '\n', 0xE9}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "High", REG_SZ, {'c', 0xE9, 0xFF, 0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "ShortDword", REG_DWORD, {1, 2}), ERROR_SUCCESS);

    std::string text = FileText();
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 80u) << line;

    RegistryReload();
    key = Open("Software\\Binary");
    DWORD type = 0;
    EXPECT_EQ(Query(key, "All", &type), all);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(Query(key, "Nul"), Bytes{0});
    EXPECT_EQ(Query(key, "Odd", &type), (Bytes{'a', 0, 'b', '\n', 0xE9}));
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(Query(key, "High"), (Bytes{'c', 0xE9, 0xFF, 0}));
    EXPECT_EQ(Query(key, "ShortDword", &type), (Bytes{1, 2}));
    EXPECT_EQ(type, REG_DWORD);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ReadsWrappedLinesCrLfCommentsAndBlankLines)
{
    WriteFileText("REGEDIT4\r\n"
                  "\r\n"
                  "; written by hand\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Hand]\r\n"
                  "\"Wrapped\"=hex:01,02,\\\r\n"
                  "  03,04,\\\r\n"
                  "  ff\r\n"
                  "   ; indented comment\r\n"
                  "\r\n"
                  "\"Text\"=\"say \\\"hi\\\"\"\r\n"
                  "@=dword:0000000A\r\n"
                  "\"Typed\"=hex(7):61,00,00\r\n");
    HKEY key = Open("software\\hand");
    EXPECT_EQ(Query(key, "Wrapped"), (Bytes{1, 2, 3, 4, 0xFF}));
    EXPECT_EQ(Query(key, "Text"), (Bytes{'s', 'a', 'y', ' ', '"', 'h', 'i', '"', 0}));
    DWORD type = 0;
    EXPECT_EQ(Query(key, ""), (Bytes{10, 0, 0, 0}));
    EXPECT_EQ(Query(key, "Typed", &type), (Bytes{'a', 0, 0}));
    EXPECT_EQ(type, 7u);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Wrapped", "Text", "", "Typed"}));
    RegCloseKey(key);
}

TEST_F(RegistryTest, ReadsLfOnlyFileAndRewritesItTheSame)
{
    const std::string text = "REGEDIT4\n\n"
                             "[HKEY_CURRENT_USER\\Software]\n\n"
                             "[HKEY_CURRENT_USER\\Software\\Same]\n"
                             "\"A\"=hex:01\n"
                             "\"B\"=\"two\"\n\n";
    WriteFileText(text);
    HKEY key = Open("Software\\Same");
    ASSERT_EQ(Set(key, "a", REG_BINARY, {1}), ERROR_SUCCESS);
    EXPECT_EQ(FileText(), text);
    RegCloseKey(key);
}

TEST_F(RegistryTest, LaterDuplicateInFileReplacesEarlier)
{
    WriteFileText("REGEDIT4\n\n[HKEY_CURRENT_USER\\Dup]\n\"Name\"=hex:01\n[HKEY_CURRENT_USER\\DUP]\n\"NAME\"=hex:02\n");
    HKEY key = Open("Dup");
    EXPECT_EQ(ValueNames(key), std::vector<std::string>{"Name"});
    EXPECT_EQ(Query(key, "Name"), Bytes{2});
    RegCloseKey(key);
}

} // namespace

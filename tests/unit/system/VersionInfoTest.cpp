#include "platform/system/ModuleFile.h"
#include "platform/system/VersionInfo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<unsigned char> ReadBlock(const std::string& file)
{
    DWORD handle = 1;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<unsigned char> block(size);
    if (size > 0) {
        EXPECT_TRUE(GetFileVersionInfoA(file.c_str(), handle, size, block.data()));
    }
    return block;
}

// The text VerQueryValueA returns, or "<none>".
std::string Query(const std::vector<unsigned char>& block, const std::string& path)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length))
        return "<none>";
    EXPECT_GT(length, 0u);
    EXPECT_EQ(static_cast<const char*>(value)[length - 1], '\0');
    return std::string(static_cast<const char*>(value), length - 1);
}

TEST(VersionInfo, ProgramBlockHoldsTheVersionStrings)
{
    std::vector<unsigned char> block = ReadBlock(GetModuleName() + ".exe");
    ASSERT_FALSE(block.empty());
    const std::string base = "\\StringFileInfo\\040904b0\\";
    EXPECT_EQ(Query(block, base + "CompanyName"), "Ferrix Software");
    EXPECT_EQ(Query(block, base + "ProductName"), "Ferrix FTP");
    EXPECT_EQ(Query(block, base + "FileDescription"), "Ferrix FTP");
    EXPECT_EQ(Query(block, base + "FileVersion"), "2.0.2");
    EXPECT_EQ(Query(block, base + "ProductVersion"), "2.0.2");
    EXPECT_EQ(Query(block, base + "LegalCopyright"), "Copyright (C) 2026 Ferrix Software");
    EXPECT_EQ(Query(block, base + "InternalName"), "ferrix-ftp");
    EXPECT_EQ(Query(block, base + "OriginalFilename"), "ferrix-ftp.exe");
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904B0\\productname"), "Ferrix FTP");
}

TEST(VersionInfo, UnknownNamesAndLanguagesAreNotFound)
{
    std::vector<unsigned char> block = ReadBlock(GetModuleName() + ".exe");
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904b0\\Comments"), "<none>");
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040704b0\\CompanyName"), "<none>");
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904b0\\"), "<none>");
}

TEST(VersionInfo, TranslationNamesUsEnglishUnicode)
{
    std::vector<unsigned char> block = ReadBlock(GetModuleName() + ".exe");
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* bytes = static_cast<const unsigned char*>(value);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 0x0409);
    EXPECT_EQ(bytes[2] | bytes[3] << 8, 0x04b0);
}

TEST(VersionInfo, ExecutablePathAndCaseVariantAnswerToo)
{
    char path[4096];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    EXPECT_FALSE(ReadBlock(path).empty());
    std::string upper = GetModuleName() + ".EXE";
    EXPECT_FALSE(ReadBlock(upper).empty());
}

TEST(VersionInfo, OtherFilesHaveNoVersionInformation)
{
    DWORD handle = 0;
    EXPECT_EQ(GetFileVersionInfoSizeA("other.exe", &handle), 0u);
    EXPECT_EQ(GetFileVersionInfoSizeA(GetModuleName().c_str(), &handle), 0u);
    EXPECT_EQ(GetFileVersionInfoSizeA("", &handle), 0u);
    EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, &handle), 0u);
    unsigned char buffer[16];
    EXPECT_FALSE(GetFileVersionInfoA("other.exe", 0, sizeof buffer, buffer));
}

TEST(VersionInfo, TooSmallBufferIsRefused)
{
    std::string file = GetModuleName() + ".exe";
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), nullptr);
    std::vector<unsigned char> block(size);
    EXPECT_FALSE(GetFileVersionInfoA(file.c_str(), 0, size - 1, block.data()));
}

TEST(VersionInfo, ForeignBlockIsNotRead)
{
    unsigned char foreign[32] = {'X', 'Y'};
    void* value = nullptr;
    UINT length = 0;
    EXPECT_FALSE(VerQueryValueA(foreign, "\\StringFileInfo\\040904b0\\CompanyName", &value, &length));
    // An entry that claims more bytes than the block holds is not read.
    unsigned char cut[] = {'F', 'X', 'V', 'B', 14, 0, 0, 0, 2, 0, 0xFF, 0x00, 'a', 'b'};
    EXPECT_FALSE(VerQueryValueA(cut, "ab", &value, &length));
}

} // namespace

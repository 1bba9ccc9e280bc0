#include "platform/system/VersionInfo.h"

#include "platform/AsciiCase.h"
#include "platform/system/ModuleFile.h"
#include "platform/system/ProgramVersion.h"

#include <cstring>
#include <string>
#include <vector>

// The block: a 4-byte tag, the block's total length (32 bits, little-endian), then entries of
// key length (16 bits), value length (16 bits), the key's characters and the value's bytes.
// Lookups never step outside the length the block records.

namespace {

constexpr char kTag[4] = {'F', 'X', 'V', 'B'};
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kEntryHeaderSize = 4;
constexpr std::string_view kTranslationPath = "\\VarFileInfo\\Translation";
// US English (0x0409), Unicode code page (0x04b0), as the string table's path names them.
constexpr std::uint8_t kTranslation[] = {0x09, 0x04, 0xB0, 0x04};

void PutNumber(std::vector<std::uint8_t>& out, std::uint32_t number, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
}

std::uint32_t GetNumber(const std::uint8_t* in, int bytes)
{
    std::uint32_t number = 0;
    for (int i = bytes - 1; i >= 0; --i)
        number = (number << 8) | in[i];
    return number;
}

void PutEntry(std::vector<std::uint8_t>& out, std::string_view key, const std::uint8_t* value, std::size_t length)
{
    PutNumber(out, static_cast<std::uint32_t>(key.size()), 2);
    PutNumber(out, static_cast<std::uint32_t>(length), 2);
    out.insert(out.end(), key.begin(), key.end());
    out.insert(out.end(), value, value + length);
}

const std::vector<std::uint8_t>& ProgramBlock()
{
    static const std::vector<std::uint8_t> block = [] {
        std::vector<std::uint8_t> out(kTag, kTag + sizeof kTag);
        PutNumber(out, 0, 4);
        for (const VersionString& entry : kProgramVersionStrings) {
            std::string key = std::string(kVersionLanguagePath) + std::string(entry.name);
            std::string value = std::string(entry.value) + '\0';
            PutEntry(out, key, reinterpret_cast<const std::uint8_t*>(value.data()), value.size());
        }
        PutEntry(out, kTranslationPath, kTranslation, sizeof kTranslation);
        std::uint32_t total = static_cast<std::uint32_t>(out.size());
        for (int i = 0; i < 4; ++i)
            out[4 + i] = static_cast<std::uint8_t>(total >> (8 * i));
        return out;
    }();
    return block;
}

bool IsProgramFile(const char* fileName)
{
    if (!fileName || !*fileName)
        return false;
    if (EqualsNoCase(fileName, GetModuleName() + ".exe"))
        return true;
    char path[4096];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path && std::string_view(fileName) == std::string_view(path, length);
}

} // namespace

DWORD GetFileVersionInfoSizeA(const char* fileName, DWORD* handle)
{
    if (handle)
        *handle = 0;
    return IsProgramFile(fileName) ? static_cast<DWORD>(ProgramBlock().size()) : 0;
}

BOOL GetFileVersionInfoA(const char* fileName, DWORD, DWORD length, void* data)
{
    const std::vector<std::uint8_t>& block = ProgramBlock();
    if (!data || !IsProgramFile(fileName) || length < block.size())
        return 0;
    std::memcpy(data, block.data(), block.size());
    return 1;
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length)
{
    if (!block || !subBlock || !buffer || !length)
        return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(block);
    if (std::memcmp(bytes, kTag, sizeof kTag) != 0)
        return 0;
    std::size_t total = GetNumber(bytes + 4, 4);
    std::string_view wanted(subBlock);
    for (std::size_t pos = kHeaderSize; pos + kEntryHeaderSize <= total;) {
        std::size_t keyLength = GetNumber(bytes + pos, 2);
        std::size_t valueLength = GetNumber(bytes + pos + 2, 2);
        std::size_t keyStart = pos + kEntryHeaderSize;
        std::size_t valueStart = keyStart + keyLength;
        if (valueStart + valueLength > total)
            return 0;
        std::string_view key(reinterpret_cast<const char*>(bytes + keyStart), keyLength);
        if (EqualsNoCase(key, wanted)) {
            *buffer = const_cast<std::uint8_t*>(bytes + valueStart);
            *length = static_cast<UINT>(valueLength);
            return 1;
        }
        pos = valueStart + valueLength;
    }
    return 0;
}

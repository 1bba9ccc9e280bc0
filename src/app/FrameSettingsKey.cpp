#include "app/FrameSettingsKey.h"

#include <vector>

FrameKey OpenFrameSection(const std::string& appKeyPath, const char* section)
{
    const std::string path = "Software\\" + appKeyPath + section;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return FrameKey(key);
}

std::optional<std::uint32_t> ReadFrameDword(HKEY key, const char* name)
{
    BYTE bytes[4] = {};
    DWORD type = 0;
    DWORD length = sizeof bytes;
    if (RegQueryValueExA(key, name, nullptr, &type, bytes, &length) != ERROR_SUCCESS || type != REG_DWORD || length != 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::optional<std::string> ReadFrameText(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD length = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &length) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::vector<BYTE> buffer(length + 1);
    if (RegQueryValueExA(key, name, nullptr, &type, buffer.data(), &length) != ERROR_SUCCESS)
        return std::nullopt;
    std::string text(buffer.begin(), buffer.begin() + length);
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

void WriteFrameDword(HKEY key, const char* name, std::uint32_t value)
{
    if (ReadFrameDword(key, name) == value)
        return;
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                           static_cast<BYTE>(value >> 24)};
    RegSetValueExA(key, name, 0, REG_DWORD, bytes, sizeof bytes);
}

void WriteFrameText(HKEY key, const char* name, const std::string& text)
{
    if (ReadFrameText(key, name) == text)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
}

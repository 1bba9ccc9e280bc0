#include "app/FrameSettingsKey.h"

#include "platform/registry/RegistryDword.h"

#include <vector>

FrameKey OpenFrameSection(const std::string& appKeyPath, const char* section)
{
    return CreateRegistryKey(HKEY_CURRENT_USER, "Software\\" + appKeyPath + section);
}

std::optional<std::uint32_t> ReadFrameDword(HKEY key, const char* name)
{
    BYTE bytes[kDwordSize] = {};
    DWORD type = 0;
    DWORD length = sizeof bytes;
    if (RegQueryValueExA(key, name, nullptr, &type, bytes, &length) != ERROR_SUCCESS || type != REG_DWORD || length != kDwordSize)
        return std::nullopt;
    return UnpackDword(bytes);
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
    const auto bytes = PackDword(value);
    RegSetValueExA(key, name, 0, REG_DWORD, bytes.data(), kDwordSize);
}

void WriteFrameText(HKEY key, const char* name, const std::string& text)
{
    if (ReadFrameText(key, name) == text)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
}

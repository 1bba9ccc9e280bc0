#pragma once
// The four bytes of a REG_DWORD value (and of any number the program stores as four binary
// bytes): least significant first, as the platform stores them.

#include <array>
#include <cstdint>

constexpr std::size_t kDwordSize = 4;

constexpr std::array<std::uint8_t, kDwordSize> PackDword(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// `bytes` holds at least kDwordSize bytes.
constexpr std::uint32_t UnpackDword(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8
         | static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

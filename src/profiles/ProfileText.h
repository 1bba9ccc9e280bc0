#pragma once
// The stored text of a profile and of the settings: fields separated by one line feed, the
// last one ended by a NUL that belongs to the stored data.
//
// Profile: name, host, user, password (only when savePassword), savePassword, anonymous,
// port (signed 16 bits), useDefaultPort, passive, initialDir.
// Settings: lastProfileName of the upper and of the lower region, email, arrangeBy,
// connectionType, transferType.

#include "profiles/HostProfile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct ProfileState;

// The format version written with both keys, and the versions that introduced fields.
constexpr std::uint32_t kStoreFormatVersion = 202;
constexpr std::uint32_t kVersionWithConnectionFields = 11;   // port, useDefaultPort, passive
constexpr std::uint32_t kVersionWithInitialDir = 12;
constexpr std::uint32_t kVersionWithTransferType = 21;

// Splits stored text into fields. The text ends at the first NUL or at the end of the data,
// whichever comes first; nothing beyond is read. A field asked for after the last one is
// absent: empty as text, 0 as a number.
class FieldReader {
public:
    FieldReader(const void* data, std::size_t length);

    // False, with `field` emptied, when no field is left.
    bool NextField(std::string& field);
    std::string NextText();
    // Parsed like atol: leading white space, an optional sign, the digits up to the first
    // non-digit; no digits read as 0. Values beyond 32 bits saturate.
    std::int32_t NextNumber();

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_done = false;
};

std::int32_t ParseStoredNumber(std::string_view text);

// The text without its NUL; the stored data is this text plus one NUL.
std::string FormatProfileText(const HostProfile& profile);
// Reads the fields the stored format version holds; the others keep the defaults of a profile
// from before they existed (port 21, default port on, passive off, no initial directory).
HostProfile ParseProfileText(const void* data, std::size_t length, std::uint32_t version);

std::string FormatSettingText(const ProfileState& state);
// Stores the fields into `state`; transferType only from version 21 on. Out-of-range numbers
// for arrangeBy, connectionType and transferType read as 0.
void ParseSettingText(ProfileState& state, const void* data, std::size_t length, std::uint32_t version);

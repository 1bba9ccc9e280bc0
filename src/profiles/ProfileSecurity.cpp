#include "profiles/ProfileSecurity.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::uint32_t kValueSize = 4;

std::uint32_t NumberOf(ConnectionSecurity security)
{
    switch (security) {
    case ConnectionSecurity::RequireTls: return 0;
    case ConnectionSecurity::TlsIfAvailable: return 1;
    case ConnectionSecurity::Plain: return 2;
    }
    return 0;
}

} // namespace

std::optional<ConnectionSecurity> ParseSecurityValue(const StoreValue& value)
{
    if (value.type != REG_DWORD || value.data.size() != kValueSize)
        return std::nullopt;
    const std::uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16
                               | static_cast<std::uint32_t>(value.data[3]) << 24;
    for (ConnectionSecurity security :
         {ConnectionSecurity::RequireTls, ConnectionSecurity::TlsIfAvailable, ConnectionSecurity::Plain}) {
        if (NumberOf(security) == number)
            return security;
    }
    return std::nullopt;
}

void SetSecurityValue(CProfileStore& store, const std::string& profileName, ConnectionSecurity security)
{
    const std::uint32_t number = NumberOf(security);
    const std::array<std::uint8_t, kValueSize> bytes = {static_cast<std::uint8_t>(number),
                                                        static_cast<std::uint8_t>(number >> 8),
                                                        static_cast<std::uint8_t>(number >> 16),
                                                        static_cast<std::uint8_t>(number >> 24)};
    store.SetValue(profileName, bytes.data(), kValueSize, REG_DWORD);
}

ConnectionSecurity StoredSecurity(const CProfileStore& securityStore, const std::string& profileName)
{
    const auto found = securityStore.values.find(profileName);
    if (found == securityStore.values.end())
        return ConnectionSecurity::TlsIfAvailable;
    return ParseSecurityValue(*found->second).value_or(ConnectionSecurity::RequireTls);
}

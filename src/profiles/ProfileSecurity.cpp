#include "profiles/ProfileSecurity.h"

#include "platform/registry/RegistryDword.h"

#include <cstdint>

namespace {

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
    if (value.type != REG_DWORD || value.data.size() != kDwordSize)
        return std::nullopt;
    const std::uint32_t number = UnpackDword(value.data.data());
    for (ConnectionSecurity security :
         {ConnectionSecurity::RequireTls, ConnectionSecurity::TlsIfAvailable, ConnectionSecurity::Plain}) {
        if (NumberOf(security) == number)
            return security;
    }
    return std::nullopt;
}

void SetSecurityValue(CProfileStore& store, const std::string& profileName, ConnectionSecurity security)
{
    const auto bytes = PackDword(NumberOf(security));
    store.SetValue(profileName, bytes.data(), kDwordSize, REG_DWORD);
}

ConnectionSecurity StoredSecurity(const CProfileStore& securityStore, const std::string& profileName)
{
    const auto found = securityStore.values.find(profileName);
    if (found == securityStore.values.end())
        return ConnectionSecurity::TlsIfAvailable;
    return ParseSecurityValue(*found->second).value_or(ConnectionSecurity::RequireTls);
}

#pragma once
// How each profile protects its connection, kept under the key "Profile Security": one value
// per profile, named as the profile's value under "User Profiles", so that the profile's own
// value keeps its layout. The value is REG_DWORD: 0 require TLS, 1 TLS if available, 2 plain.

#include "platform/inet/FtpSecurity.h"
#include "profiles/ProfileStore.h"

#include <optional>
#include <string>

inline constexpr char kSecuritySection[] = "Profile Security";

// The choice a stored value holds; nullopt when it is not a value this program writes (wrong
// type, wrong length or an unknown number).
std::optional<ConnectionSecurity> ParseSecurityValue(const StoreValue& value);
// Adds the value for `profileName` to `store` (as SetValue does: not when the name is held).
void SetSecurityValue(CProfileStore& store, const std::string& profileName, ConnectionSecurity security);

// The security of a profile loaded from `profileValue`'s name: the stored choice; TlsIfAvailable
// when none is stored (a profile from before there was a choice); RequireTls when what is
// stored cannot be read, since sending a password in clear text is the one thing not to guess.
ConnectionSecurity StoredSecurity(const CProfileStore& securityStore, const std::string& profileName);

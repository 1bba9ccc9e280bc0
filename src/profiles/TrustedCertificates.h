#pragma once
// Server certificates the user chose to trust always, kept under the key "Trusted
// Certificates": one value per host and port, named "host:port" ("[::1]:21" for an IPv6
// address, the host in lower case), holding the certificate's SHA-256 fingerprint as text
// ("AB:CD:...") with a NUL, REG_BINARY like the program's other values.

#include "platform/registry/Registry.h"
#include "profiles/ProfileState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

inline constexpr char kTrustedCertificatesSection[] = "Trusted Certificates";
// Hosts trusted at most; the key is read whole at every connect.
inline constexpr std::size_t kMaxTrustedCertificates = 500;

std::string TrustedCertificateName(const std::string& host, std::uint16_t port);

// The fingerprint trusted for host:port; nullopt when none is, or what is stored is not a
// fingerprint (a damaged or hand-edited value is ignored: the user is asked again).
std::optional<std::string> TrustedFingerprint(const ProfileState& state, const std::string& host,
                                              std::uint16_t port);

// Trusts `fingerprint` for host:port from now on, replacing the one trusted before, and writes
// the registry file at once. Empty on success, else why not, in words for a message.
std::string TrustFingerprint(const ProfileState& state, const std::string& host, std::uint16_t port,
                             const std::string& fingerprint);

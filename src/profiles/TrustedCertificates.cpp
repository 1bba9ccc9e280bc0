#include "profiles/TrustedCertificates.h"

#include "platform/AsciiCase.h"
#include "platform/inet/ServerCertificate.h"
#include "platform/registry/RegistryBatch.h"
#include "profiles/ProfileSettings.h"
#include "profiles/ProfileStore.h"

#include <algorithm>

namespace {

std::string KeyPath(const ProfileState& state)
{
    std::string path;
    GetRegistryPath(state, path, kTrustedCertificatesSection, {});
    return path;
}

} // namespace

std::string TrustedCertificateName(const std::string& host, std::uint16_t port)
{
    std::string name = ToLowerAscii(host);
    if (name.find(':') != std::string::npos && name.front() != '[')
        name = "[" + name + "]";
    return name + ":" + std::to_string(port);
}

std::optional<std::string> TrustedFingerprint(const ProfileState& state, const std::string& host,
                                              std::uint16_t port)
{
    CProfileStore store;
    if (store.Load(HKEY_CURRENT_USER, KeyPath(state)) != ERROR_SUCCESS)
        return std::nullopt;
    const auto found = store.values.find(TrustedCertificateName(host, port));
    if (found == store.values.end() || found->second->type != REG_BINARY)
        return std::nullopt;
    const std::vector<std::uint8_t>& data = found->second->data;
    const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
    return NormalizeFingerprint(std::string(data.begin(), end));
}

std::string TrustFingerprint(const ProfileState& state, const std::string& host, std::uint16_t port,
                             const std::string& fingerprint)
{
    const std::optional<std::string> normal = NormalizeFingerprint(fingerprint);
    if (!normal)
        return "\"" + fingerprint + "\" is not a SHA-256 fingerprint";
    const std::string path = KeyPath(state);
    const std::string name = TrustedCertificateName(host, port);
    CProfileStore store;
    RegistryBatch batch;
    LONG result = store.Load(HKEY_CURRENT_USER, path);
    if (result == ERROR_SUCCESS) {
        store.values.erase(name);
        if (store.values.size() >= kMaxTrustedCertificates)
            return "certificates of " + std::to_string(kMaxTrustedCertificates) + " servers are trusted already";
        store.SetValue(name, normal->c_str(), static_cast<std::uint32_t>(normal->size() + 1), REG_BINARY);
        result = store.Save(HKEY_CURRENT_USER, path);
    }
    const LONG written = batch.Commit();
    if (result == ERROR_SUCCESS && written == ERROR_SUCCESS)
        return {};
    const RegistryFailure failure = RegistryLastFailure();
    return failure.file + ": " + failure.reason;
}

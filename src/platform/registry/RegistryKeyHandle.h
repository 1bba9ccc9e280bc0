#pragma once
// An open key that closes itself, so that no path out of a function leaves a handle open.

#include "platform/registry/Registry.h"

#include <memory>
#include <string>

struct RegistryKeyCloser {
    void operator()(RegistryKey* key) const { RegCloseKey(key); }
};
using RegistryKeyHandle = std::unique_ptr<RegistryKey, RegistryKeyCloser>;

// `subKey` below `root` with full access, created when missing (RegCreateKeyExA); null when the
// registry refuses, and the registry's answer in `*result` when asked for.
RegistryKeyHandle CreateRegistryKey(HKEY root, const std::string& subKey, LONG* result = nullptr);

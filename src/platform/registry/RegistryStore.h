#pragma once
// The one store behind the registry calls: the tree read lazily from the file, the open
// handles, and the write-back of every change.

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryTree.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

// What a handle names. HKEY_CURRENT_USER is a handle of its own that always names the root.
struct RegistryKey {
    RegistryNode* node = nullptr;
    std::uint64_t generation = 0;
};

class RegistryStore {
public:
    static RegistryStore& Instance();

    // The key a handle names, reading the file on first use; nullptr for a handle that is not
    // open or was opened before the last reload.
    RegistryNode* Resolve(HKEY key);
    HKEY OpenHandle(RegistryNode& node);
    bool CloseHandle(HKEY key);

    // Writes the whole tree to the file; ERROR_SUCCESS, ERROR_ACCESS_DENIED or ERROR_WRITE_FAULT.
    LONG Commit();
    void Reload();

private:
    void EnsureLoaded();

    bool m_loaded = false;
    std::string m_path;
    std::unique_ptr<RegistryNode> m_root;
    std::uint64_t m_generation = 1;
    std::unordered_map<const RegistryKey*, std::unique_ptr<RegistryKey>> m_handles;
};

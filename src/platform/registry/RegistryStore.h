#pragma once
// The one store behind the registry calls: the tree read lazily from the file, the open
// handles, and the changes made since the file was last read or written.
//
// A change is made in memory and remembered. Writing takes the store's lock, reads the file
// again and applies to it only the values this process changed (a value set back to what it
// was is no change over another instance's), so that another instance's changes to other
// values survive; where both changed one value, the later write wins. The result becomes the
// tree in memory.

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryBatch.h"
#include "platform/registry/RegistryTree.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// What a handle names: the key's path of names below the root, so that the handle stays good
// when the tree is read again. HKEY_CURRENT_USER is a handle of its own that names the root.
struct RegistryKey {
    std::vector<std::string> path;
    std::uint64_t generation = 0;
};

class RegistryStore {
public:
    static constexpr const char* kTooDeep = "a key would lie more than 512 levels deep";

    static RegistryStore& Instance();

    // The key a handle names, reading the file on first use. nullptr with ERROR_INVALID_HANDLE
    // for a handle that is not open or was opened before the last reload, or with
    // ERROR_KEY_DELETED when the key has gone from the file since.
    RegistryNode* Resolve(HKEY key, LONG& error);

    // The key `names` lead to below `key`, created where missing.
    LONG CreateKey(HKEY key, const std::vector<std::string>& names, HKEY* result, bool& created);
    LONG SetValue(HKEY key, std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data);
    LONG DeleteValue(HKEY key, std::string_view name);
    bool CloseHandle(HKEY key);

    void BeginBatch();
    LONG EndBatch();
    RegistryFailure LastFailure() const { return m_failure; }
    // Records why a call fails, for LastFailure, and returns `code`.
    LONG Fail(LONG code, const std::string& reason) { return Fail(code, FilePath(), reason); }
    void Reload();

private:
    struct Change {
        enum class Kind { KeyCreated, ValueSet, ValueDeleted } kind;
        std::vector<std::string> keyPath;
        std::string valueName;
        std::optional<RegistryValue> before;   // a value's state before the change
        std::size_t position = 0;              // KeyCreated: first new name; ValueDeleted: index
    };

    void EnsureLoaded();
    const std::vector<std::string>* PathOf(HKEY key) const;
    // Commits at once unless a batch is open; a failed commit undoes every change since the
    // last one.
    LONG Changed();
    LONG Commit();
    LONG WriteChanges();
    // Applies this process's changes to `tree`, the file as read again.
    void ApplyChanges(RegistryNode& tree) const;
    void UndoChanges();
    LONG Fail(LONG code, const std::string& file, const std::string& reason);
    std::string FilePath() const;

    bool m_loaded = false;
    std::string m_path;
    std::unique_ptr<RegistryNode> m_root;
    std::size_t m_size = 0;   // of the tree as file text
    std::vector<Change> m_changes;
    int m_batchDepth = 0;
    RegistryFailure m_failure;
    std::uint64_t m_generation = 1;
    std::unordered_map<const RegistryKey*, std::unique_ptr<RegistryKey>> m_handles;
};

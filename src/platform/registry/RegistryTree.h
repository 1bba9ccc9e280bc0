#pragma once
// The keys and values of the store in memory. Names compare without regard to ASCII case and
// keep the spelling of whoever created them; subkeys and values keep their creation order, which
// is the order enumeration and the file use.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct RegistryValue {
    std::string name;   // empty: the key's default value
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

struct RegistryNode {
    RegistryNode() = default;
    explicit RegistryNode(std::string keyName) : name(std::move(keyName)) {}
    // Frees the subtree without recursion, so that no depth of keys can exhaust the stack.
    ~RegistryNode();
    RegistryNode(const RegistryNode&) = delete;
    RegistryNode& operator=(const RegistryNode&) = delete;

    std::string name;
    std::vector<std::unique_ptr<RegistryNode>> subkeys;
    std::vector<RegistryValue> values;

    RegistryNode* FindSubkey(std::string_view subkeyName) const;
    // The subkey of that name, created at the end when missing.
    RegistryNode& ObtainSubkey(std::string_view subkeyName, bool& created);

    RegistryValue* FindValue(std::string_view valueName);
    const RegistryValue* FindValue(std::string_view valueName) const;
    // Replaces type and data of a value of that name (any case, spelling kept) or appends one.
    void SetValue(std::string_view valueName, std::uint32_t type, std::vector<std::uint8_t> data);
    // Removes the value of that name; false when there is none.
    bool RemoveValue(std::string_view valueName);
};

// Key and value names compare with EqualsNoCase (platform/AsciiCase.h): ASCII letters only.

// "Software\Ferrix Software\\Setting\" -> {"Software", "Ferrix Software", "Setting"}: empty
// components (doubled, leading or trailing backslashes) are skipped.
std::vector<std::string> SplitKeyPath(std::string_view path);
// How many names SplitKeyPath would give, without building them: a path of a million levels
// is refused before it costs memory.
std::size_t CountKeyPathParts(std::string_view path);

// The key that the names lead to from `root`, or nullptr when one of them is missing.
RegistryNode* FindKey(RegistryNode& root, const std::vector<std::string>& path);

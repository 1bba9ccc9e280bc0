#pragma once
// CProfileStore: an in-memory mirror of the values of one registry key.

#include "platform/registry/Registry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct StoreValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;   // a private copy; its size is the value's length
    std::uint32_t length = 0;
    std::string name;
};

class CProfileStore {
public:
    // Each returns a registry status code, 0 for success.
    LONG Load(HKEY root, const std::string& keyPath);
    LONG Save(HKEY root, const std::string& keyPath);
    LONG DeleteValue(HKEY root, const std::string& keyPath, const std::string& valueName);

    // False, and nothing changed, when the name is already held.
    bool SetValue(const std::string& valueName, const void* data, std::uint32_t length, std::uint32_t type);
    // False when the name is not held; otherwise copies at most `length` bytes.
    bool GetValue(const std::string& valueName, void* destination, std::uint32_t length) const;
    void RemoveAll();
    void SetModified(std::int32_t flag) { modified = flag; }

    // Value name (case-sensitive) to its value, in name order.
    std::map<std::string, std::unique_ptr<StoreValue>> values;
    std::int32_t modified = 0;
};

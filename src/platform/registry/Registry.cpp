#include "platform/registry/Registry.h"

#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryStore.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

bool IsValidKeyName(const std::string& name)
{
    return name.size() <= kMaxRegistryKeyNameLength && IsStorableName(name);
}

bool IsValidValueName(std::string_view name)
{
    return name.size() <= kMaxRegistryValueNameLength && IsStorableName(name);
}

// The shared tail of RegEnumValueA and RegQueryValueExA: type and data with the size rules.
LONG CopyData(const RegistryValue& value, DWORD* type, BYTE* data, DWORD* dataLength)
{
    if (type)
        *type = value.type;
    if (!dataLength)
        return ERROR_SUCCESS;
    LONG result = ERROR_SUCCESS;
    if (data) {
        if (value.data.size() > *dataLength)
            result = ERROR_MORE_DATA;
        else if (!value.data.empty())
            std::memcpy(data, value.data.data(), value.data.size());
    }
    *dataLength = static_cast<DWORD>(value.data.size());
    return result;
}

} // namespace

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, char*, DWORD, REGSAM, void*, HKEY* result,
                     DWORD* disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    RegistryStore& store = RegistryStore::Instance();
    RegistryNode* node = store.Resolve(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    std::vector<std::string> parts = SplitKeyPath(subKey ? subKey : "");
    for (const std::string& part : parts) {
        if (!IsValidKeyName(part))
            return ERROR_INVALID_PARAMETER;
    }

    // Only the first key created hangs off an existing one; removing it undoes the whole walk.
    RegistryNode* parentOfFirstCreated = nullptr;
    for (const std::string& part : parts) {
        bool created = false;
        RegistryNode& next = node->ObtainSubkey(part, created);
        if (created && !parentOfFirstCreated)
            parentOfFirstCreated = node;
        node = &next;
    }
    if (parentOfFirstCreated) {
        if (LONG error = store.Commit(); error != ERROR_SUCCESS) {
            parentOfFirstCreated->subkeys.pop_back();
            return error;
        }
    }
    *result = store.OpenHandle(*node);
    if (disposition)
        *disposition = parentOfFirstCreated ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegEnumValueA(HKEY key, DWORD index, char* valueName, DWORD* valueNameLength, DWORD*, DWORD* type,
                   BYTE* data, DWORD* dataLength)
{
    RegistryNode* node = RegistryStore::Instance().Resolve(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    if (!valueName || !valueNameLength || (data && !dataLength))
        return ERROR_INVALID_PARAMETER;
    if (index >= node->values.size())
        return ERROR_NO_MORE_ITEMS;
    const RegistryValue& value = node->values[index];

    LONG result = ERROR_SUCCESS;
    if (value.name.size() + 1 > *valueNameLength) {
        *valueNameLength = static_cast<DWORD>(value.name.size() + 1);
        result = ERROR_MORE_DATA;
    } else {
        std::memcpy(valueName, value.name.c_str(), value.name.size() + 1);
        *valueNameLength = static_cast<DWORD>(value.name.size());
    }
    LONG dataResult = CopyData(value, type, data, dataLength);
    return result != ERROR_SUCCESS ? result : dataResult;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataLength)
{
    RegistryNode* node = RegistryStore::Instance().Resolve(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    if (data && !dataLength)
        return ERROR_INVALID_PARAMETER;
    const RegistryValue* value = node->FindValue(valueName ? valueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    return CopyData(*value, type, data, dataLength);
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD dataLength)
{
    RegistryStore& store = RegistryStore::Instance();
    RegistryNode* node = store.Resolve(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    std::string_view name = valueName ? valueName : "";
    if (!IsValidValueName(name) || (!data && dataLength > 0))
        return ERROR_INVALID_PARAMETER;

    RegistryValue* existing = node->FindValue(name);
    std::optional<RegistryValue> previous;
    if (existing)
        previous = *existing;
    std::vector<std::uint8_t> bytes;
    if (dataLength > 0)
        bytes.assign(data, data + dataLength);
    node->SetValue(name, type, std::move(bytes));

    if (LONG error = store.Commit(); error != ERROR_SUCCESS) {
        if (previous)
            *node->FindValue(name) = std::move(*previous);
        else
            node->values.pop_back();
        return error;
    }
    return ERROR_SUCCESS;
}

LONG RegDeleteValueA(HKEY key, const char* valueName)
{
    RegistryStore& store = RegistryStore::Instance();
    RegistryNode* node = store.Resolve(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    RegistryValue* value = node->FindValue(valueName ? valueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;

    auto position = node->values.begin() + (value - node->values.data());
    RegistryValue removed = std::move(*value);
    position = node->values.erase(position);
    if (LONG error = store.Commit(); error != ERROR_SUCCESS) {
        node->values.insert(position, std::move(removed));
        return error;
    }
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    return RegistryStore::Instance().CloseHandle(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void RegistryReload()
{
    RegistryStore::Instance().Reload();
}

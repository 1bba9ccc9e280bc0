#include "platform/registry/Registry.h"

#include "platform/registry/RegistryBatch.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryStore.h"

#include <cstring>
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
    const std::string_view path = subKey ? subKey : "";
    if (CountKeyPathParts(path) > kMaxRegistryKeyDepth)
        return store.Fail(ERROR_INVALID_PARAMETER, RegistryStore::kTooDeep);
    std::vector<std::string> parts = SplitKeyPath(path);
    for (const std::string& part : parts) {
        if (!IsValidKeyName(part))
            return store.Fail(ERROR_INVALID_PARAMETER, "a key name is longer than 255 characters or holds a line break");
    }
    bool created = false;
    LONG error = store.CreateKey(key, parts, result, created);
    if (error == ERROR_SUCCESS && disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return error;
}

LONG RegEnumValueA(HKEY key, DWORD index, char* valueName, DWORD* valueNameLength, DWORD*, DWORD* type,
                   BYTE* data, DWORD* dataLength)
{
    LONG error = ERROR_SUCCESS;
    const RegistryNode* node = RegistryStore::Instance().Resolve(key, error);
    if (!node)
        return error;
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
    LONG error = ERROR_SUCCESS;
    const RegistryNode* node = RegistryStore::Instance().Resolve(key, error);
    if (!node)
        return error;
    if (data && !dataLength)
        return ERROR_INVALID_PARAMETER;
    const RegistryValue* value = node->FindValue(valueName ? valueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    return CopyData(*value, type, data, dataLength);
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD dataLength)
{
    std::string_view name = valueName ? valueName : "";
    if (!data && dataLength > 0)
        return ERROR_INVALID_PARAMETER;
    if (!IsValidValueName(name))
        return RegistryStore::Instance().Fail(ERROR_INVALID_PARAMETER,
                                              "a value name is longer than 16383 characters or holds a line break");
    std::vector<std::uint8_t> bytes;
    if (dataLength > 0)
        bytes.assign(data, data + dataLength);
    return RegistryStore::Instance().SetValue(key, name, type, std::move(bytes));
}

LONG RegDeleteValueA(HKEY key, const char* valueName)
{
    return RegistryStore::Instance().DeleteValue(key, valueName ? valueName : "");
}

LONG RegCloseKey(HKEY key)
{
    return RegistryStore::Instance().CloseHandle(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void RegistryReload()
{
    RegistryStore::Instance().Reload();
}

RegistryBatch::RegistryBatch()
{
    RegistryStore::Instance().BeginBatch();
}

RegistryBatch::~RegistryBatch()
{
    if (m_open)
        RegistryStore::Instance().EndBatch();
}

LONG RegistryBatch::Commit()
{
    if (!m_open)
        return ERROR_SUCCESS;
    m_open = false;
    return RegistryStore::Instance().EndBatch();
}

RegistryFailure RegistryLastFailure()
{
    return RegistryStore::Instance().LastFailure();
}

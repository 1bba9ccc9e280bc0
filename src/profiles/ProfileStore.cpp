#include "profiles/ProfileStore.h"

#include "platform/registry/RegistryKeyHandle.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// The first try uses the sizes the stored layout was designed for; values that need more are
// asked for again with room enough, so that no value ends the enumeration early.
constexpr DWORD kInitialNameBuffer = 261;
constexpr DWORD kInitialDataBuffer = 261;
constexpr DWORD kMaxNameBuffer = kMaxRegistryValueNameLength + 1;
constexpr int kMaxGrowAttempts = 8;

} // namespace

LONG CProfileStore::Load(HKEY root, const std::string& keyPath)
{
    RemoveAll();
    LONG opened = ERROR_SUCCESS;
    const RegistryKeyHandle key = CreateRegistryKey(root, keyPath, &opened);
    if (!key)
        return opened;

    std::vector<char> name(kInitialNameBuffer);
    std::vector<BYTE> data(kInitialDataBuffer);
    for (DWORD index = 0;; ++index) {
        LONG result = ERROR_MORE_DATA;
        DWORD nameLength = 0;
        DWORD dataLength = 0;
        DWORD type = 0;
        for (int attempt = 0; result == ERROR_MORE_DATA && attempt < kMaxGrowAttempts; ++attempt) {
            nameLength = static_cast<DWORD>(name.size());
            dataLength = static_cast<DWORD>(data.size());
            result = RegEnumValueA(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(),
                                   &dataLength);
            if (result != ERROR_MORE_DATA)
                break;
            // The data length is reported exactly; the name's need may not be, so it doubles.
            if (dataLength > data.size())
                data.resize(dataLength);
            if (nameLength >= name.size())
                name.resize(std::min<std::size_t>(std::max<std::size_t>(name.size() * 2, nameLength + 1),
                                                  kMaxNameBuffer));
        }
        if (result != ERROR_SUCCESS)
            return result == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : result;
        SetValue(std::string(name.data(), nameLength), data.data(), dataLength, type);
    }
}

LONG CProfileStore::Save(HKEY root, const std::string& keyPath)
{
    LONG opened = ERROR_SUCCESS;
    const RegistryKeyHandle key = CreateRegistryKey(root, keyPath, &opened);
    if (!key)
        return opened;
    for (const auto& [name, value] : values) {
        LONG result = RegSetValueExA(key.get(), name.c_str(), 0, value->type, value->data.data(), value->length);
        if (result != ERROR_SUCCESS)
            return result;
    }
    return ERROR_SUCCESS;
}

LONG CProfileStore::DeleteValue(HKEY root, const std::string& keyPath, const std::string& valueName)
{
    LONG opened = ERROR_SUCCESS;
    const RegistryKeyHandle key = CreateRegistryKey(root, keyPath, &opened);
    if (!key)
        return opened;
    return RegDeleteValueA(key.get(), valueName.c_str());
}

bool CProfileStore::SetValue(const std::string& valueName, const void* data, std::uint32_t length, std::uint32_t type)
{
    if (values.count(valueName))
        return false;
    try {
        auto value = std::make_unique<StoreValue>();
        value->type = type;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        if (length > 0)
            value->data.assign(bytes, bytes + length);
        value->length = length;
        value->name = valueName;
        values.emplace(valueName, std::move(value));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CProfileStore::GetValue(const std::string& valueName, void* destination, std::uint32_t length) const
{
    auto it = values.find(valueName);
    if (it == values.end())
        return false;
    std::size_t count = std::min<std::size_t>(length, it->second->data.size());
    if (count > 0)
        std::memcpy(destination, it->second->data.data(), count);
    return true;
}

void CProfileStore::RemoveAll()
{
    values.clear();
}

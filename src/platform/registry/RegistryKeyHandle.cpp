#include "platform/registry/RegistryKeyHandle.h"

RegistryKeyHandle CreateRegistryKey(HKEY root, const std::string& subKey, LONG* result)
{
    HKEY key = nullptr;
    const LONG answer = RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                        nullptr, &key, nullptr);
    if (result)
        *result = answer;
    return RegistryKeyHandle(answer == ERROR_SUCCESS ? key : nullptr);
}

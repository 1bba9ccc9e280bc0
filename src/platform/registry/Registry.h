#pragma once
// The registry calls the program uses, with the platform's semantics, for HKEY_CURRENT_USER.
// Key and value names compare without regard to case and keep the case they were created with.
// The store lives in one file in the regedit text format: $FERRIX_REGISTRY when set, otherwise
// $XDG_CONFIG_HOME/ferrix-ftp/registry.reg (~/.config/ferrix-ftp/registry.reg).

#include <cstdint>

using LONG = std::int32_t;
using DWORD = std::uint32_t;
using BYTE = std::uint8_t;
using REGSAM = std::uint32_t;

struct RegistryKey;               // opaque; a handle names one open key
using HKEY = RegistryKey*;

extern const HKEY HKEY_CURRENT_USER;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_OUTOFMEMORY = 14;
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_LOCK_VIOLATION = 33;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_KEY_DELETED = 1018;
constexpr LONG ERROR_NOT_ENOUGH_QUOTA = 1816;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// subKey is a backslash-separated path below `key`; missing keys along it are created.
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options,
                     REGSAM samDesired, void* securityAttributes, HKEY* result, DWORD* disposition);
// Enumerates the values of `key` in a stable order. On entry *valueNameLength is the name
// buffer's size in characters (room for the NUL included) and *dataLength the data buffer's
// size in bytes; on success they hold the name length (without NUL) and the data length.
// Either buffer too small: ERROR_MORE_DATA, with *dataLength set to the size needed (and, when
// the name did not fit, *valueNameLength to the name's size with its NUL). data may be null to
// ask for the size only. Past the last value: ERROR_NO_MORE_ITEMS.
LONG RegEnumValueA(HKEY key, DWORD index, char* valueName, DWORD* valueNameLength, DWORD* reserved,
                   DWORD* type, BYTE* data, DWORD* dataLength);
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* dataLength);
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataLength);
LONG RegDeleteValueA(HKEY key, const char* valueName);
LONG RegCloseKey(HKEY key);

// Names longer than these, and keys deeper below the root than this, are refused with
// ERROR_INVALID_PARAMETER, as the platform does.
constexpr DWORD kMaxRegistryKeyNameLength = 255;
constexpr DWORD kMaxRegistryValueNameLength = 16383;
constexpr DWORD kMaxRegistryKeyDepth = 512;

// Forgets the store held in memory, so that the next call reads the file again (a restart
// within one process, for tests). Handles opened before return ERROR_INVALID_HANDLE from then
// on; closing them is still allowed.
void RegistryReload();

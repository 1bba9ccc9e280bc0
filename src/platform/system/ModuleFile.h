#pragma once
// The running program's own executable, as the platform's module calls report it.

#include <cstdint>
#include <string>

using DWORD = std::uint32_t;
using HMODULE = void*;

// Copies the executable's full path for `module` (null: the program itself) into `fileName`
// and returns its length. A buffer too small receives as much as fits, NUL-terminated, and the
// result is `size`. Any other module, or a path that cannot be read: 0.
DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size);

// The program's module name: the executable's file name without folder and extension
// ("ferrix-ftp" for /usr/bin/ferrix-ftp).
std::string GetModuleName();

#pragma once
// The platform's version-information calls over the program's own compiled-in version block.
// Only the program itself has version information: the file name must be its module name with
// ".exe" appended (compared without regard to case) or its executable's full path.
//
//   DWORD handle;
//   DWORD size = GetFileVersionInfoSizeA("ferrix-ftp.exe", &handle);
//   std::vector<BYTE> block(size);
//   GetFileVersionInfoA("ferrix-ftp.exe", handle, size, block.data());
//   VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductName", &text, &length);

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using UINT = unsigned int;

// The size of the version block, 0 when the file has none. *handle is set to 0.
DWORD GetFileVersionInfoSizeA(const char* fileName, DWORD* handle);
// Copies the block into `data`; FALSE for a file without version information or a buffer
// smaller than GetFileVersionInfoSizeA reported.
BOOL GetFileVersionInfoA(const char* fileName, DWORD handle, DWORD length, void* data);
// Finds `subBlock` ("\StringFileInfo\040904b0\<Name>", or "\VarFileInfo\Translation") in a
// block filled by GetFileVersionInfoA. On success *buffer points into the block and *length is
// the value's length, for a string in characters with its NUL.
BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length);

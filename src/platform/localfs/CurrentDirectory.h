#pragma once
// The process's current directory in program form. The change is a real chdir(), so relative
// operations of any part of the program behave as the platform's would.

#include <string>

namespace localfs {

// Accepts a full program path ("C:/Temp", "C:/Temp/"), a bare drive ("C:", its folder's top:
// no directory is remembered per drive), a path from the root of the current drive ("/",
// "/Temp") and a path relative to the current directory. Fails, leaving the current directory
// as it was, for an unmapped drive and for a folder that is missing, not a folder, or cannot
// be both read and searched; errno then says why (ENOENT for a path on no drive). This is also
// the test for a drive's presence.
bool SetCurrentDirectory(const std::string& path);

// The current directory in program form ("C:/" at a drive's top, "C:/Temp" below it), or an
// empty string when it lies on no drive or no longer exists.
std::string GetCurrentDirectory();

// The letter of the current drive (upper case): the drive of the current directory, else the
// drive last made current. '\0' when there is neither.
char GetCurrentDrive();

// Turns a program path of any form SetCurrentDirectory accepts into a full program path,
// resolved against the current drive and directory. Empty when that cannot be done (also
// for an empty path).
std::string ResolveProgramPath(const std::string& path);

}  // namespace localfs

#pragma once
// Drive letters on a platform that has none. A local path keeps the program's form
// "C:/Temp/a.txt"; each letter stands for a folder of the file system and paths are
// translated only where they meet a system call.
//
// C: is the file-system root unless FERRIX_DRIVES is set, e.g. "C=/;D=/srv/data". The variable
// then replaces the whole map (an empty variable leaves no drives). Letters are taken in either
// case; entries without "=", with a letter outside A-Z or with a relative folder are ignored;
// a later entry for the same letter replaces an earlier one.

#include <optional>
#include <string>

namespace localfs {

constexpr int kDriveCount = 26;   // A: to Z:
constexpr const char* kDriveMapVariable = "FERRIX_DRIVES";

// Reads FERRIX_DRIVES again. The map is read on first use; tests that change the variable
// call this afterwards.
void ReloadDriveMap();

// The folder a drive letter stands for (either case), or nullopt for an unmapped letter.
std::optional<std::string> DriveFolder(char letter);

// "D:/a/b" -> "<folder of D>/a/b"; "D:" and "D:/" -> the folder itself. Empty components and
// "." are dropped and ".." is resolved against the components before it. Relative paths
// ("a/b", "D:a"), unmapped drives, NUL characters and ".." that would climb above the drive's
// folder give nullopt.
std::optional<std::string> ToNativePath(const std::string& programPath);

// The reverse: an absolute native path below a drive's folder in program form ("D:/" for the
// folder itself, "D:/a/b" below it). The drive with the longest matching folder wins; between
// drives with the same folder, `preferred` (if given), else the lowest letter. A path below no
// drive gives nullopt.
std::optional<std::string> ToProgramPath(const std::string& native, char preferred = '\0');

}  // namespace localfs

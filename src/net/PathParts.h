#pragma once
// The two parts of a full path as the file operations use them: the directory with its
// trailing "/" and the bare name after it ("C:/Temp/a.txt" -> "C:/Temp/" and "a.txt",
// "/a.txt" -> "/" and "a.txt"; a path without "/" has an empty directory part).

#include <string>

void SplitPath(const std::string& path, std::string& directory, std::string& name);

// True for a name that is one entry of a directory and nothing else: not empty, not "." or
// "..", without "/" or NUL. A name the user types is checked with this before any path is
// built from it, so that "a/b" can never reach a disk or a server as two components.
bool IsEntryName(const std::string& name);

#pragma once
// The changes the program makes to a disk or a host: create, remove and rename, each on a full
// path of the local machine (null endpoint) or of the connection's host. Each is attempted
// up to five times in immediate succession and answers nonzero on success (a host that lets
// its time-out pass is not asked again); none shows a message or throws, the caller shows its
// own text.
//
// Why one failed: locally errno holds the system's reason of the last attempt (EINVAL when the
// path was refused before any attempt); remotely the connection's GetLastErrorCode() and
// GetLastErrorText() hold the server's answer.
//
// A path whose last part is not one entry name (empty, "." or "..", see IsEntryName) is
// refused before anything reaches the disk or the server.

#include "net/Endpoint.h"

#include <string>

// Creates one directory; fails when anything of that name exists.
int MakeDir(Endpoint endpoint, const std::string& path);
// Removes an empty directory.
int RemoveDir(Endpoint endpoint, const std::string& path);
// Deletes a file. A symbolic link, also one to a directory, is deleted this way: the link goes,
// its target stays.
int RemoveFile(Endpoint endpoint, const std::string& path);

// Rename in place: the new path must lie in the old path's directory. Neither ever replaces an
// existing entry of the new name (servers would, deleting it); a new name that differs from the
// old one only in letter case is always tried, since on a server that ignores case it names the
// entry itself.
int RenameFile(Endpoint endpoint, const std::string& oldPath, const std::string& newPath);
int RenameDir(Endpoint endpoint, const std::string& oldPath, const std::string& newPath);

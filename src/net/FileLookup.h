#pragma once
// Finding one file by its full path, on the local disk (null endpoint) or on a host: the
// path's directory is made current, then its bare name is searched for. The endpoint's current
// directory is left at the file's directory (a remote one only when it could be entered).
// A host's file size and time are first asked by SIZE and MDTM, which need no listing and move
// no directory; only when the host does not answer is the directory listed.
//
// A directory that cannot be entered (after six attempts remotely, or one that timed out) means
// the file is not found: searching on in whatever directory was current could find another
// file of that name. Only an entry of exactly that name answers, never a link to it or a name
// matching it as a pattern. Nothing throws; a failure reads as "not found".

#include "net/Endpoint.h"

#include <cstdint>
#include <string>

// Nonzero when an entry (file, directory or link) of that name is in that directory.
int FileExists(Endpoint endpoint, const std::string& path);

// The size text of a file that was not found.
inline constexpr const char* kUnknownSize = "???";

// Nonzero when the file was found; then `sizeText` is its size in decimal bytes (64-bit) and
// `modified` its last-write time in seconds since 1970. Otherwise `sizeText` is kUnknownSize and
// `modified` stays as it was. Locally the file's status is read (links followed; errno says why it could
// not be); remotely from SIZE and MDTM (UTC) where the host answers both, else the listing's:
// UTC from an MLSD server, the server's own clock reading from a Unix listing, as the
// directory's file list shows it.
int GetFileInfo(Endpoint endpoint, const std::string& path, std::string& sizeText, std::int64_t& modified);

// The size in bytes of a file on a host, or -1 when it is not found.
std::int64_t GetRemoteFileSize(CFtpConnection* connection, const std::string& path);

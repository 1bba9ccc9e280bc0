#pragma once
// An endpoint is where a file operation happens: an open FTP connection, or null for the local
// machine. Paths are full paths with "/" separators on both sides (C:/Temp/a.txt, /pub/a.txt).

#include "platform/FileFinder.h"
#include "platform/inet/InetConstants.h"

#include <memory>
#include <string>

class CFtpConnection;
using Endpoint = CFtpConnection*;

// The context value of every finder the file operations open on a connection.
inline constexpr DWORD_PTR kFinderContext = 1;

// The finder that reads a directory of the endpoint: the local file finder, or on a connection
// the remote finder whose find-first is retried (CFtpFileFindEx).
std::unique_ptr<CFileFinder> MakeDirectoryFinder(Endpoint endpoint);

// Makes `directory` the endpoint's current directory (the process's, or the connection's), one
// attempt. True on success.
bool SetEndpointDirectory(Endpoint endpoint, const std::string& directory);

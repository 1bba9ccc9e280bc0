#pragma once
// Whether a profile's initial remote root directory is there to be shown.

#include <string>

class CFtpConnection;

// True when a fresh listing of `directory` (empty: the server's top, "/") finds an entry. A
// directory that exists but holds nothing counts as missing, as does one that cannot be read.
// Throws CInternetException when the user stops the listing's wait (no answer either way).
bool CheckRootDirectory(CFtpConnection* connection, const std::string& directory);

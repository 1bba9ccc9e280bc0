#pragma once
// Copying many files over the one connection of a run, through the program's transfer engine:
//   mget LOCALDIR REMOTE...      files of the host into a local folder
//   mput REMOTEDIR LOCAL...      local files into a folder of the host
//   get-tree REMOTEDIR LOCALDIR  a whole directory tree of the host into a local folder
//   put-tree LOCALDIR REMOTEDIR  a whole local directory tree into a folder of the host
// Existing files are replaced (each only once its new copy is complete). One line per file on
// `out`; failures on `err`; the status is 1 when any file failed.

#include "probe/Options.h"

#include <iosfwd>

class CFtpConnection;

bool IsBatchCopyCommand(const std::string& command);
int RunBatchCopy(CFtpConnection& connection, const ProbeOptions& options, std::ostream& out, std::ostream& err);

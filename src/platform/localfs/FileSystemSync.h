#pragma once
// Makes many newly written files durable with one sync of each file system they are on. A sync
// per file costs the file system a journal commit each, which for a folder of small files takes
// longer than writing them.

#include "platform/localfs/UniqueFd.h"

#include <sys/types.h>

#include <map>
#include <string>

namespace localfs {

class FileSystemSync {
public:
    // Takes on the file system of the open file `fd`, whose data the next SyncAll stores. The
    // first file of each file system is held open until then: errors the system meets while
    // writing back any data of that file system from its opening on are reported by SyncAll.
    // False (errno set) when the file cannot be examined or held.
    bool Add(int fd);
    // Stores everything written to the file systems taken on, then forgets them. False with
    // the system's reason when some written data could not be stored.
    bool SyncAll(std::string& why);
    bool Empty() const { return m_fileSystems.empty(); }

private:
    std::map<dev_t, UniqueFd> m_fileSystems;
};

}  // namespace localfs

#pragma once
// The advisory lock that every instance of the program takes while it reads or writes the
// store's file: an flock on the folder that holds the file. The folder rather than the file,
// because every write replaces the file by a rename, and a lock held on the old file would no
// longer keep anyone off the new one. Nothing is written to take it, so no lock file is left.

#include <chrono>
#include <string>

class StoreLock {
public:
    enum class Mode { Shared, Exclusive };

    // Another instance holds the lock only while it reads or writes; one that holds it longer
    // is stopped or hung, and is not waited for without end.
    static constexpr std::chrono::milliseconds kWait{5000};

    StoreLock() = default;
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    // 0 once the lock is held; otherwise an errno: EWOULDBLOCK when the wait ran out, or why
    // the folder could not be opened.
    int Acquire(const std::string& folder, Mode mode);

private:
    int m_fd = -1;
};

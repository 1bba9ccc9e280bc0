#pragma once
// A file that must not outlive the process when it is stopped by a signal (SIGTERM, SIGINT,
// SIGHUP): a download's partial file. Destructors do not run then, so a handler removes it.

#include <string>

class RemoveOnSignal {
public:
    // Blocks those signals while it lives, so that a file can be created and registered with
    // no signal in between; Register lets them in again.
    RemoveOnSignal();
    // The file is no longer removed on a signal (it is already gone, or kept).
    ~RemoveOnSignal();
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

    // From now on a stopping signal removes `path`. Throws std::runtime_error for a path too
    // long to keep.
    void Register(const std::string& path);
    void Unregister() noexcept;

private:
    bool m_blocked = false;
};

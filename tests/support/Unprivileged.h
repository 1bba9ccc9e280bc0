#pragma once
// Running part of a test as a user without privileges. The suite may run as root, who reads
// every folder whatever its mode; a test of a folder that cannot be read makes it unreadable
// with its mode and then acts as the "nobody" account while this object lives. The effective
// user and group change for the whole process (the saved ones stay root), so the test's own
// window and files stay usable and everything is given back at the end of the scope.
// Not root to begin with, the test is unprivileged already and nothing changes.

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

class ScopedUnprivileged {
public:
    ScopedUnprivileged()
    {
        if (geteuid() != 0) {
            m_ready = true;
            return;
        }
        m_wasRoot = true;
        const passwd* nobody = getpwnam("nobody");
        if (nobody == nullptr || nobody->pw_uid == 0) {
            m_failure = "there is no \"nobody\" account to act as";
            return;
        }
        if (setegid(nobody->pw_gid) != 0 || seteuid(nobody->pw_uid) != 0) {
            m_failure = std::string("cannot act as nobody: ") + std::strerror(errno);
            Restore();
            return;
        }
        m_ready = true;
    }
    ~ScopedUnprivileged() { Restore(); }
    ScopedUnprivileged(const ScopedUnprivileged&) = delete;
    ScopedUnprivileged& operator=(const ScopedUnprivileged&) = delete;

    // Whether the process now lacks the privilege to read what its mode forbids.
    bool Ready() const { return m_ready; }
    const std::string& Failure() const { return m_failure; }

private:
    void Restore()
    {
        if (!m_wasRoot)
            return;
        // The user first: only root may set the group back.
        if (seteuid(0) == 0)
            static_cast<void>(setegid(0));
        m_wasRoot = false;
    }

    bool m_wasRoot = false;
    bool m_ready = false;
    std::string m_failure;
};

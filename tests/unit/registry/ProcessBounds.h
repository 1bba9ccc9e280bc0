#pragma once
// Bounds for tests that feed the store what once took gigabytes or hung: a cap on the address
// space and an alarm that ends a test that waits for ever. Also a second instance of the
// program: a child process with a store of its own on the same file.

#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// AddressSanitizer reserves terabytes of address space up front; there the cap is left off and
// the sanitizer's own checks stand in.
#if defined(__SANITIZE_ADDRESS__)
#define FERRIX_TEST_ADDRESS_SPACE_CAP 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FERRIX_TEST_ADDRESS_SPACE_CAP 0
#endif
#endif
#ifndef FERRIX_TEST_ADDRESS_SPACE_CAP
#define FERRIX_TEST_ADDRESS_SPACE_CAP 1
#endif

// Allows the process `extraBytes` of address space beyond what it uses now.
class ScopedAddressSpaceLimit {
public:
    explicit ScopedAddressSpaceLimit(rlim_t extraBytes)
    {
        if (!FERRIX_TEST_ADDRESS_SPACE_CAP)
            return;
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        ::getrlimit(RLIMIT_AS, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + extraBytes;
        m_set = ::setrlimit(RLIMIT_AS, &limit) == 0;
    }
    ~ScopedAddressSpaceLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_AS, &m_old);
    }
    ScopedAddressSpaceLimit(const ScopedAddressSpaceLimit&) = delete;
    ScopedAddressSpaceLimit& operator=(const ScopedAddressSpaceLimit&) = delete;

private:
    rlimit m_old {};
    bool m_set = false;
};

// Ends the whole test program (SIGALRM) when the test is still running after `seconds`.
class ScopedAlarm {
public:
    explicit ScopedAlarm(unsigned seconds) { ::alarm(seconds); }
    ~ScopedAlarm() { ::alarm(0); }
    ScopedAlarm(const ScopedAlarm&) = delete;
    ScopedAlarm& operator=(const ScopedAlarm&) = delete;
};

// A one-way signal between the test and its child process.
class Signal {
public:
    Signal() { EXPECT_EQ(::pipe(m_fds), 0); }
    ~Signal()
    {
        ::close(m_fds[0]);
        ::close(m_fds[1]);
    }
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    void Raise() const { EXPECT_EQ(::write(m_fds[1], "x", 1), 1); }
    bool Wait() const
    {
        char byte = 0;
        return ::read(m_fds[0], &byte, 1) == 1;
    }

private:
    int m_fds[2] = {-1, -1};
};

// Runs `body` in a child process that starts its store afresh from the file, as a second
// instance of the program would. The child's exit code: body's result, 99 for a crash.
inline pid_t StartSecondInstance(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        RegistryReload();
        ::_exit(body());
    }
    return child;
}

inline int WaitForInstance(pid_t child)
{
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return 99;
    return WEXITSTATUS(status);
}

#include "probe/RemoveOnSignal.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstring>
#include <stdexcept>

namespace {

constexpr std::array<int, 3> kStoppingSignals = {SIGTERM, SIGINT, SIGHUP};

// What the handler reads: a fixed buffer, since a handler may call async-signal-safe
// functions only (unlink, signal, raise), and never allocate.
char g_path[PATH_MAX];
volatile std::sig_atomic_t g_registered = 0;

extern "C" void RemoveAndStop(int signal)
{
    if (g_registered)
        ::unlink(g_path);
    // Ends the process as the signal would have, so that the caller sees how it ended.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

sigset_t StoppingSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kStoppingSignals)
        sigaddset(&set, signal);
    return set;
}

void InstallHandlerOnce()
{
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_handler = RemoveAndStop;
        sigemptyset(&action.sa_mask);
        for (int signal : kStoppingSignals) {
            struct sigaction previous {};
            // A signal ignored by whoever started us (nohup) stays ignored.
            if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
                continue;
            ::sigaction(signal, &action, nullptr);
        }
        return true;
    }();
    (void)installed;
}

}  // namespace

RemoveOnSignal::RemoveOnSignal()
{
    InstallHandlerOnce();
    const sigset_t set = StoppingSignals();
    m_blocked = ::sigprocmask(SIG_BLOCK, &set, nullptr) == 0;
}

RemoveOnSignal::~RemoveOnSignal()
{
    Unregister();
    if (m_blocked) {
        const sigset_t set = StoppingSignals();
        ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    }
}

void RemoveOnSignal::Register(const std::string& path)
{
    if (path.size() >= sizeof g_path)
        throw std::runtime_error("the path " + path + " is too long");
    std::memcpy(g_path, path.c_str(), path.size() + 1);
    g_registered = 1;
    if (m_blocked) {
        const sigset_t set = StoppingSignals();
        ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
        m_blocked = false;
    }
}

void RemoveOnSignal::Unregister() noexcept
{
    g_registered = 0;
}

#include "platform/registry/StoreLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr std::chrono::milliseconds kRetryInterval{20};
} // namespace

StoreLock::~StoreLock()
{
    // Closing the last descriptor of the open folder releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

int StoreLock::Acquire(const std::string& folder, Mode mode)
{
    if (m_fd < 0)
        m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return errno;
    const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    while (::flock(m_fd, operation) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return errno;
        if (std::chrono::steady_clock::now() >= deadline)
            return EWOULDBLOCK;
        std::this_thread::sleep_for(kRetryInterval);
    }
    return 0;
}

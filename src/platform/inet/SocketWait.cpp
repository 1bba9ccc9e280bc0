#include "platform/inet/SocketWait.h"

#include "platform/inet/InternetException.h"

#include <poll.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// poll() until ready or the deadline, restarting after signals.
int PollUntil(pollfd* fds, nfds_t count, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0)
            left = std::chrono::milliseconds(0);
        int rc = ::poll(fds, count, static_cast<int>(left.count()));
        if (rc >= 0)
            return rc;
        if (errno != EINTR)
            ThrowSocketError(errno, "poll");
    }
}

}  // namespace

WaitResult WaitReadable(int fd, std::chrono::milliseconds timeout)
{
    pollfd entry{fd, POLLIN, 0};
    return PollUntil(&entry, 1, timeout) > 0 ? WaitResult::Ready : WaitResult::TimedOut;
}

WaitResult WaitWritable(int fd, std::chrono::milliseconds timeout)
{
    pollfd entry{fd, POLLOUT, 0};
    return PollUntil(&entry, 1, timeout) > 0 ? WaitResult::Ready : WaitResult::TimedOut;
}

int WaitEitherReadable(int first, int second, std::chrono::milliseconds timeout)
{
    pollfd entries[2] = {{first, POLLIN, 0}, {second, POLLIN, 0}};
    nfds_t count = second >= 0 ? 2 : 1;
    if (PollUntil(entries, count, timeout) <= 0)
        return -1;
    return entries[0].revents != 0 ? 0 : 1;
}

void ThrowSocketError(int error, const char* what)
{
    if (error == ECONNRESET || error == EPIPE || error == ECONNABORTED)
        throw CInternetException(ERROR_INTERNET_CONNECTION_RESET, "The connection was reset by the server");
    if (error == ETIMEDOUT)
        throw CInternetException(ERROR_INTERNET_TIMEOUT, "The operation timed out");
    throw CInternetException(ERROR_INTERNET_CONNECTION_ABORTED,
                             std::string("The connection failed (") + what + ": " + std::strerror(error) + ")");
}

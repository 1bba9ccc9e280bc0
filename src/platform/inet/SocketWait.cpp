#include "platform/inet/SocketWait.h"

#include "platform/inet/InternetException.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

thread_local WaitObserver t_waitObserver;

// poll() until ready or the deadline, restarting after signals; in slices while an observer
// watches, so that it is asked again and again whether to go on.
int PollUntil(pollfd* fds, nfds_t count, std::chrono::milliseconds timeout)
{
    const auto start = Clock::now();
    const auto deadline = start + timeout;
    for (;;) {
        const auto now = Clock::now();
        const auto left = std::max(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now),
                                   std::chrono::milliseconds(0));
        const auto slice = NextWaitSlice(std::chrono::duration_cast<std::chrono::milliseconds>(now - start), left);
        int rc = ::poll(fds, count, static_cast<int>(slice.count()));
        if (rc > 0 || (rc == 0 && slice >= left))
            return rc;
        if (rc < 0 && errno != EINTR)
            ThrowSocketError(errno, "poll");
    }
}

}  // namespace

WaitObserver SetWaitObserver(WaitObserver observer)
{
    std::swap(observer, t_waitObserver);
    return observer;
}

std::chrono::milliseconds NextWaitSlice(std::chrono::milliseconds waited, std::chrono::milliseconds left)
{
    if (!t_waitObserver || left.count() <= 0)
        return left;
    // The observer may pump window events, and an event may replace the observer.
    const WaitObserver observer = t_waitObserver;
    if (!observer(waited))
        throw CInternetException(ERROR_INTERNET_OPERATION_CANCELLED, kStoppedByUserText);
    return std::min(left, kWaitSlice);
}

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

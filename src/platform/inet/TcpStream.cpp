#include "platform/inet/TcpStream.h"

#include "platform/inet/InternetException.h"
#include "platform/inet/SocketWait.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace {

// Large buffers keep a fast link busy while the program handles a block; mature clients ask
// for this much on data connections.
constexpr int kDataSocketBufferBytes = 4 * 1024 * 1024;
// Keep-alive probes keep a router from forgetting a connection that sits quiet through a long
// transfer (the control connection) or a slow server (a data connection), and find a peer that
// is gone: the first probe after a minute of silence, then every 15 s, given up after 4.
constexpr int kKeepAliveIdleSeconds = 60;
constexpr int kKeepAliveIntervalSeconds = 15;
constexpr int kKeepAliveProbes = 4;

void MakeNonBlocking(int fd)
{
    int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags >= 0 && !(flags & O_NONBLOCK))
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

}  // namespace

void TuneSocket(int fd, SocketRole role)
{
    int on = 1;
    int idle = kKeepAliveIdleSeconds;
    int interval = kKeepAliveIntervalSeconds;
    int probes = kKeepAliveProbes;
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof(on));
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof(idle));
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof(interval));
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof(probes));
    if (role == SocketRole::Control) {
        // Commands are small and each waits for its reply; Nagle would only add delay.
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
    } else {
        int size = kDataSocketBufferBytes;
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof(size));
        ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof(size));
    }
}

TcpStream::TcpStream(SocketHandle socket, SocketRole role) : m_socket(std::move(socket))
{
    MakeNonBlocking(m_socket.Get());
    if (role == SocketRole::Control)
        TuneSocket(m_socket.Get(), role);
}

std::unique_ptr<TcpStream> TcpStream::Connect(const SocketAddress& address, SocketRole role,
                                              std::chrono::milliseconds timeout)
{
    const std::string where = address.ToString();
    SocketHandle socket(::socket(address.Family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP));
    if (!socket.Valid())
        throw CInternetException(ERROR_INTERNET_CANNOT_CONNECT,
                                 "Cannot connect to " + where + ": " + std::strerror(errno));
    // Buffer sizes must be set before the connection is made to take part in window scaling.
    TuneSocket(socket.Get(), role);

    int rc = ::connect(socket.Get(), address.Raw(), address.Length());
    if (rc != 0 && errno != EINPROGRESS && errno != EINTR)
        throw CInternetException(ERROR_INTERNET_CANNOT_CONNECT,
                                 "Cannot connect to " + where + ": " + std::strerror(errno));
    if (rc != 0) {
        if (WaitWritable(socket.Get(), timeout) == WaitResult::TimedOut)
            throw CInternetException(ERROR_INTERNET_TIMEOUT, "Timed out connecting to " + where);
        int error = 0;
        socklen_t length = sizeof(error);
        ::getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, &error, &length);
        if (error != 0)
            throw CInternetException(ERROR_INTERNET_CANNOT_CONNECT,
                                     "Cannot connect to " + where + ": " + std::strerror(error));
    }
    return std::make_unique<TcpStream>(std::move(socket), role);
}

void TcpStream::SendAll(std::string_view data, std::chrono::milliseconds timeout)
{
    while (!data.empty()) {
        ssize_t sent = ::send(m_socket.Get(), data.data(), data.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (WaitWritable(m_socket.Get(), timeout) == WaitResult::TimedOut)
                throw CInternetException(ERROR_INTERNET_TIMEOUT, "Timed out sending to the server");
            continue;
        }
        ThrowSocketError(sent < 0 ? errno : EPIPE, "send");
    }
}

std::optional<std::size_t> TcpStream::TryReceive(char* buffer, std::size_t capacity)
{
    for (;;) {
        ssize_t got = ::recv(m_socket.Get(), buffer, capacity, 0);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return std::nullopt;
        ThrowSocketError(errno, "recv");
    }
}

std::size_t TcpStream::ReceiveSome(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout)
{
    // Try first: on a busy connection data is usually there, and the poll would be wasted.
    for (;;) {
        if (auto got = TryReceive(buffer, capacity))
            return *got;
        if (WaitReadable(m_socket.Get(), timeout) == WaitResult::TimedOut)
            throw CInternetException(ERROR_INTERNET_TIMEOUT, "Timed out waiting for the server");
    }
}

std::size_t TcpStream::BytesAvailable() const
{
    int count = 0;
    if (::ioctl(m_socket.Get(), FIONREAD, &count) != 0 || count < 0)
        return 0;
    return static_cast<std::size_t>(count);
}

#include "platform/inet/TcpListener.h"

#include "platform/inet/InternetException.h"
#include "platform/inet/SocketWait.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {
// One data connection is expected; a small backlog leaves room for strays we then refuse.
constexpr int kListenBacklog = 4;
}  // namespace

TcpListener::TcpListener(const SocketAddress& local)
{
    SocketAddress bindAddress = local.WithPort(0);
    m_socket = SocketHandle(::socket(bindAddress.Family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP));
    if (!m_socket.Valid() || ::bind(m_socket.Get(), bindAddress.Raw(), bindAddress.Length()) != 0)
        throw CInternetException(ERROR_INTERNET_CANNOT_CONNECT,
                                 std::string("Cannot open a data port: ") + std::strerror(errno));
    // Accepted sockets inherit the buffer sizes, which must be set before the handshake.
    TuneSocket(m_socket.Get(), SocketRole::Data);
    if (::listen(m_socket.Get(), kListenBacklog) != 0)
        throw CInternetException(ERROR_INTERNET_CANNOT_CONNECT,
                                 std::string("Cannot open a data port: ") + std::strerror(errno));
}

std::unique_ptr<TcpStream> TcpListener::Accept(const SocketAddress& expectedPeer, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || WaitReadable(m_socket.Get(), left) == WaitResult::TimedOut)
            throw CInternetException(ERROR_INTERNET_TIMEOUT, "Timed out waiting for the server's data connection");
        SocketHandle accepted(::accept4(m_socket.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!accepted.Valid()) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED)
                continue;
            throw CInternetException(ERROR_INTERNET_CANNOT_CONNECT,
                                     std::string("Cannot accept the data connection: ") + std::strerror(errno));
        }
        // Anyone who guessed the port could otherwise feed us a file or read an upload.
        if (!SocketAddress::PeerOf(accepted.Get()).SameHost(expectedPeer))
            continue;
        return std::make_unique<TcpStream>(std::move(accepted), SocketRole::Data);
    }
}

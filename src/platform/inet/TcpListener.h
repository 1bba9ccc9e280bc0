#pragma once
// The listening socket of an active-mode data connection.

#include "platform/inet/SocketAddress.h"
#include "platform/inet/SocketHandle.h"
#include "platform/inet/TcpStream.h"

#include <chrono>
#include <memory>

class TcpListener {
public:
    // Listens on `local`'s address with a port of the system's choice. Throws CInternetException.
    explicit TcpListener(const SocketAddress& local);

    SocketAddress Address() const { return SocketAddress::LocalOf(m_socket.Get()); }

    // Accepts the first connection that comes from `expectedPeer`'s address; connections from
    // anywhere else are closed unread. Throws ERROR_INTERNET_TIMEOUT after `timeout`.
    std::unique_ptr<TcpStream> Accept(const SocketAddress& expectedPeer, std::chrono::milliseconds timeout);

private:
    SocketHandle m_socket;
};

#pragma once
// A connected, non-blocking TCP socket as a ByteStream.

#include "platform/inet/ByteStream.h"
#include "platform/inet/SocketAddress.h"
#include "platform/inet/SocketHandle.h"

#include <memory>

// How a socket is tuned for its use: the control connection wants small packets sent at
// once, a data connection wants large buffers.
enum class SocketRole { Control, Data };

class TcpStream : public ByteStream {
public:
    // Takes a connected socket; makes it non-blocking and tunes it for `role`.
    TcpStream(SocketHandle socket, SocketRole role);

    // Connects with a bounded wait. Throws CInternetException ERROR_INTERNET_CANNOT_CONNECT or
    // ERROR_INTERNET_TIMEOUT.
    static std::unique_ptr<TcpStream> Connect(const SocketAddress& address, SocketRole role,
                                              std::chrono::milliseconds timeout);

    void SendAll(std::string_view data, std::chrono::milliseconds timeout) override;
    std::size_t ReceiveSome(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override;
    std::optional<std::size_t> TryReceive(char* buffer, std::size_t capacity) override;
    std::size_t BytesAvailable() const override;
    int PollHandle() const override { return m_socket.Get(); }

    SocketAddress LocalAddress() const { return SocketAddress::LocalOf(m_socket.Get()); }
    SocketAddress PeerAddress() const { return SocketAddress::PeerOf(m_socket.Get()); }

private:
    SocketHandle m_socket;
};

// Socket options shared by connecting and listening sockets.
void TuneSocket(int fd, SocketRole role);

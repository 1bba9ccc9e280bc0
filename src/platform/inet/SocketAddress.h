#pragma once
// An IPv4 or IPv6 socket address with the conversions the FTP engine needs.

#include <sys/socket.h>

#include <cstdint>
#include <string>

class SocketAddress {
public:
    SocketAddress() = default;
    SocketAddress(const sockaddr* address, socklen_t length);

    static SocketAddress LocalOf(int fd);
    static SocketAddress PeerOf(int fd);

    const sockaddr* Raw() const { return reinterpret_cast<const sockaddr*>(&m_storage); }
    socklen_t Length() const { return m_length; }
    int Family() const { return m_storage.ss_family; }
    bool IsIPv6() const { return Family() == AF_INET6; }
    bool Empty() const { return m_length == 0; }

    // The numeric host: "127.0.0.1" or "::1".
    std::string Host() const;
    std::uint16_t Port() const;
    SocketAddress WithPort(std::uint16_t port) const;
    // "127.0.0.1:21" or "[::1]:21".
    std::string ToString() const;
    // Same host address, whatever the port; an IPv4-mapped IPv6 address equals its IPv4 form.
    bool SameHost(const SocketAddress& other) const;

private:
    sockaddr_storage m_storage{};
    socklen_t m_length = 0;
};

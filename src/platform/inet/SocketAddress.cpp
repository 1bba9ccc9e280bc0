#include "platform/inet/SocketAddress.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cstring>

SocketAddress::SocketAddress(const sockaddr* address, socklen_t length)
{
    if (address && length > 0 && length <= sizeof(m_storage)) {
        std::memcpy(&m_storage, address, length);
        m_length = length;
    }
}

SocketAddress SocketAddress::LocalOf(int fd)
{
    sockaddr_storage storage{};
    socklen_t length = sizeof(storage);
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &length) != 0)
        return {};
    return SocketAddress(reinterpret_cast<sockaddr*>(&storage), length);
}

SocketAddress SocketAddress::PeerOf(int fd)
{
    sockaddr_storage storage{};
    socklen_t length = sizeof(storage);
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&storage), &length) != 0)
        return {};
    return SocketAddress(reinterpret_cast<sockaddr*>(&storage), length);
}

std::string SocketAddress::Host() const
{
    if (Empty())
        return {};
    char host[NI_MAXHOST] = {};
    if (::getnameinfo(Raw(), m_length, host, sizeof(host), nullptr, 0, NI_NUMERICHOST) != 0)
        return {};
    return host;
}

std::uint16_t SocketAddress::Port() const
{
    if (Family() == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in*>(&m_storage)->sin_port);
    if (Family() == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&m_storage)->sin6_port);
    return 0;
}

SocketAddress SocketAddress::WithPort(std::uint16_t port) const
{
    SocketAddress copy = *this;
    if (Family() == AF_INET)
        reinterpret_cast<sockaddr_in*>(&copy.m_storage)->sin_port = htons(port);
    else if (Family() == AF_INET6)
        reinterpret_cast<sockaddr_in6*>(&copy.m_storage)->sin6_port = htons(port);
    return copy;
}

std::string SocketAddress::ToString() const
{
    std::string host = Host();
    if (IsIPv6())
        host = "[" + host + "]";
    return host + ":" + std::to_string(Port());
}

namespace {

// The 16 bytes of an IPv6 address, or the IPv4-mapped form of an IPv4 address.
bool AddressBytes(const SocketAddress& address, unsigned char (&bytes)[16])
{
    std::memset(bytes, 0, sizeof(bytes));
    if (address.Family() == AF_INET) {
        bytes[10] = 0xff;
        bytes[11] = 0xff;
        std::memcpy(bytes + 12, &reinterpret_cast<const sockaddr_in*>(address.Raw())->sin_addr, 4);
        return true;
    }
    if (address.Family() == AF_INET6) {
        std::memcpy(bytes, &reinterpret_cast<const sockaddr_in6*>(address.Raw())->sin6_addr, 16);
        return true;
    }
    return false;
}

}  // namespace

bool SocketAddress::SameHost(const SocketAddress& other) const
{
    unsigned char mine[16];
    unsigned char theirs[16];
    if (!AddressBytes(*this, mine) || !AddressBytes(other, theirs))
        return false;
    return std::memcmp(mine, theirs, sizeof(mine)) == 0;
}

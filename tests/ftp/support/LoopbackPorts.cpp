#include "ftp/support/LoopbackPorts.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <random>
#include <stdexcept>
#include <thread>

namespace {

// Below Linux's ephemeral range (32768 and up), so that the kernel's own choices for other
// sockets do not land in a server's passive range while it runs.
constexpr int kRangeFloor = 20000;
constexpr int kRangeCeiling = 32000;
constexpr int kRangeAttempts = 50;
constexpr auto kAcceptPoll = std::chrono::milliseconds(20);

sockaddr_in Loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Binds a socket to 127.0.0.1:port and returns the port bound, or 0.
std::uint16_t TryBind(std::uint16_t port)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address = Loopback(port);
    std::uint16_t bound = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        socklen_t length = sizeof address;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            bound = ntohs(address.sin_port);
    }
    close(fd);
    return bound;
}

// True once a connection to `address` succeeds; false after `timeout`.
bool WaitForConnect(const sockaddr* address, socklen_t length, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        int fd = socket(address->sa_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        bool connected = fd >= 0 && connect(fd, address, length) == 0;
        if (fd >= 0)
            close(fd);
        if (connected)
            return true;
        std::this_thread::sleep_for(kAcceptPoll);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

} // namespace

std::uint16_t FreeLoopbackPort()
{
    std::uint16_t port = TryBind(0);
    if (port == 0)
        throw std::runtime_error("no free port on 127.0.0.1");
    return port;
}

PortRange FreeLoopbackPortRange(int count)
{
    std::mt19937 random(std::random_device{}() ^ static_cast<unsigned>(getpid()));
    std::uniform_int_distribution<int> start(kRangeFloor, kRangeCeiling - count);
    for (int attempt = 0; attempt < kRangeAttempts; ++attempt) {
        int first = start(random);
        bool allFree = true;
        for (int port = first; port < first + count && allFree; ++port)
            allFree = TryBind(static_cast<std::uint16_t>(port)) != 0;
        if (allFree)
            return {static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(first + count - 1)};
    }
    throw std::runtime_error("no free passive port range on 127.0.0.1");
}

bool WaitUntilAccepting(std::uint16_t port, std::chrono::milliseconds timeout)
{
    sockaddr_in address = Loopback(port);
    return WaitForConnect(reinterpret_cast<const sockaddr*>(&address), sizeof address, timeout);
}

bool WaitUntilAccepting(const std::string& address, std::uint16_t port, std::chrono::milliseconds timeout)
{
    sockaddr_in6 v6{};
    if (inet_pton(AF_INET6, address.c_str(), &v6.sin6_addr) != 1)
        return WaitUntilAccepting(port, timeout);
    v6.sin6_family = AF_INET6;
    v6.sin6_port = htons(port);
    return WaitForConnect(reinterpret_cast<const sockaddr*>(&v6), sizeof v6, timeout);
}


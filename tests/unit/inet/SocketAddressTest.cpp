#include "platform/inet/SocketAddress.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>

namespace {

SocketAddress V4(const char* host, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    inet_pton(AF_INET, host, &address.sin_addr);
    return SocketAddress(reinterpret_cast<sockaddr*>(&address), sizeof(address));
}

SocketAddress V6(const char* host, std::uint16_t port)
{
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_port = htons(port);
    inet_pton(AF_INET6, host, &address.sin6_addr);
    return SocketAddress(reinterpret_cast<sockaddr*>(&address), sizeof(address));
}

}  // namespace

TEST(SocketAddressTest, WritesAddressWithPort)
{
    EXPECT_EQ(V4("127.0.0.1", 2121).ToString(), "127.0.0.1:2121");
    EXPECT_EQ(V6("::1", 21).ToString(), "[::1]:21");
    EXPECT_EQ(V6("::1", 21).Host(), "::1");
}

TEST(SocketAddressTest, ReplacesPortOnly)
{
    SocketAddress moved = V4("10.1.2.3", 21).WithPort(50000);
    EXPECT_EQ(moved.Port(), 50000);
    EXPECT_EQ(moved.Host(), "10.1.2.3");
    EXPECT_EQ(V6("::1", 21).WithPort(7).Port(), 7);
}

TEST(SocketAddressTest, ComparesHostsIgnoringPorts)
{
    EXPECT_TRUE(V4("127.0.0.1", 21).SameHost(V4("127.0.0.1", 40000)));
    EXPECT_FALSE(V4("127.0.0.1", 21).SameHost(V4("127.0.0.2", 21)));
    EXPECT_TRUE(V4("192.0.2.7", 1).SameHost(V6("::ffff:192.0.2.7", 2)));
    EXPECT_FALSE(V6("::1", 21).SameHost(V4("127.0.0.1", 21)));
    EXPECT_FALSE(SocketAddress().SameHost(SocketAddress()));
}

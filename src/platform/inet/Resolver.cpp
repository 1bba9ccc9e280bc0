#include "platform/inet/Resolver.h"

#include "platform/inet/InternetException.h"

#include <netdb.h>

#include <memory>

std::vector<SocketAddress> ResolveHost(const std::string& host, std::uint16_t port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    // Bracketed IPv6 literals are how users write them next to a port.
    std::string name = host;
    if (name.size() > 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);

    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    int rc = name.empty() ? EAI_NONAME : ::getaddrinfo(name.c_str(), service.c_str(), &hints, &found);
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);
    if (rc != 0)
        throw CInternetException(ERROR_INTERNET_NAME_NOT_RESOLVED,
                                 "The server name could not be resolved: " + host);
    std::vector<SocketAddress> addresses;
    for (const addrinfo* entry = list.get(); entry; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET || entry->ai_family == AF_INET6)
            addresses.emplace_back(entry->ai_addr, entry->ai_addrlen);
    }
    if (addresses.empty())
        throw CInternetException(ERROR_INTERNET_NAME_NOT_RESOLVED,
                                 "The server name could not be resolved: " + host);
    return addresses;
}

#include "platform/inet/Resolver.h"

#include "platform/inet/InternetException.h"
#include "platform/inet/SocketWait.h"

#include <netdb.h>

#include <cerrno>
#include <ctime>
#include <memory>

namespace {
constexpr int kTimedOut = EAI_AGAIN + 1000;   // not a resolver code: the caller's time-out

// One asynchronous lookup. The system resolves on a thread of its own; the request must stay
// alive until that thread is done with it, so a lookup that cannot be cancelled after a
// time-out is left to finish on its own and its few bytes are never freed.
struct Lookup {
    std::string name;
    std::string service;
    addrinfo hints{};
    gaicb request{};
};

int ResolveWithin(std::unique_ptr<Lookup>& lookup, std::chrono::milliseconds timeout, addrinfo** found)
{
    lookup->request.ar_name = lookup->name.c_str();
    lookup->request.ar_service = lookup->service.c_str();
    lookup->request.ar_request = &lookup->hints;
    gaicb* requests[] = {&lookup->request};
    if (::getaddrinfo_a(GAI_NOWAIT, requests, 1, nullptr) != 0)
        return ::getaddrinfo(lookup->name.c_str(), lookup->service.c_str(), &lookup->hints, found);

    auto abandon = [&lookup] {
        if (::gai_cancel(&lookup->request) != EAI_CANCELED)
            (void)lookup.release();   // still in use by the resolver's thread
    };
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + timeout;
    while (::gai_error(&lookup->request) == EAI_INPROGRESS) {
        const auto now = std::chrono::steady_clock::now();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        if (left.count() <= 0)
            break;
        std::chrono::milliseconds slice;
        try {
            slice = NextWaitSlice(std::chrono::duration_cast<std::chrono::milliseconds>(now - start), left);
        } catch (const CInternetException&) {
            abandon();
            throw;
        }
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(slice);
        const timespec wait{static_cast<std::time_t>(seconds.count()),
                            static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(slice - seconds).count())};
        const gaicb* const waiting[] = {&lookup->request};
        ::gai_suspend(waiting, 1, &wait);
    }
    const int rc = ::gai_error(&lookup->request);
    if (rc == EAI_INPROGRESS) {
        abandon();
        return kTimedOut;
    }
    *found = lookup->request.ar_result;
    return rc;
}
} // namespace

std::vector<SocketAddress> ResolveHost(const std::string& host, std::uint16_t port,
                                       std::chrono::milliseconds timeout)
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
    int rc = EAI_NONAME;
    if (!name.empty()) {
        auto lookup = std::make_unique<Lookup>();
        lookup->name = name;
        lookup->service = std::to_string(port);
        lookup->hints = hints;
        rc = ResolveWithin(lookup, timeout, &found);
    }
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);
    if (rc == kTimedOut)
        throw CInternetException(ERROR_INTERNET_TIMEOUT, "The name server did not answer in time for " + host);
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

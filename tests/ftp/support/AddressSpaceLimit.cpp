#include "ftp/support/AddressSpaceLimit.h"

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The process's address space now, from the first field of /proc/self/statm (pages).
std::size_t CurrentAddressSpace()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

}  // namespace

AddressSpaceLimit::AddressSpaceLimit(std::size_t budgetBytes)
{
    if (kSanitized)
        return;
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0)
        return;
    m_savedSoft = limit.rlim_cur;
    const rlim_t wanted = CurrentAddressSpace() + budgetBytes;
    if (limit.rlim_max != RLIM_INFINITY && wanted > limit.rlim_max)
        return;
    limit.rlim_cur = wanted;
    m_active = ::setrlimit(RLIMIT_AS, &limit) == 0;
}

AddressSpaceLimit::~AddressSpaceLimit()
{
    if (!m_active)
        return;
    rlimit limit{};
    ::getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = m_savedSoft;
    ::setrlimit(RLIMIT_AS, &limit);
}

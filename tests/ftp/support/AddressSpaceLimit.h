#pragma once
// Caps the test process's address space (RLIMIT_AS) at what it uses now plus a budget, for as
// long as the object lives: code under test that grows without bound then fails with
// std::bad_alloc instead of taking the machine's memory. Builds with AddressSanitizer reserve
// terabytes of address space up front, so there the cap is left off (Active() is false).

#include <cstddef>

class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(std::size_t budgetBytes);
    ~AddressSpaceLimit();
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    bool Active() const { return m_active; }

private:
    bool m_active = false;
    unsigned long long m_savedSoft = 0;
};

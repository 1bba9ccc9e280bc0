#pragma once
// Delivers the engine's status notifications with the context value of the object on whose
// behalf the engine is working: the session's for the connection, a finder's or a file's own
// while one of those drives it.

#include "platform/inet/InetConstants.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class StatusReporter {
public:
    using Sink = std::function<void(DWORD_PTR context, std::uint32_t status, const void* info, std::uint32_t length)>;

    StatusReporter(Sink sink, DWORD_PTR context) : m_sink(std::move(sink)), m_context(context) {}

    // The information is text of the given length (the terminating NUL is not counted).
    void Report(std::uint32_t status, std::string_view text) const;
    // The information is a 32-bit count (bytes sent or received).
    void ReportCount(std::uint32_t status, std::uint32_t count) const;
    void Report(std::uint32_t status) const;

    DWORD_PTR Context() const { return m_context; }

    // Reports with another context value while it lives.
    class Scope {
    public:
        Scope(StatusReporter& reporter, DWORD_PTR context)
            : m_reporter(reporter), m_saved(reporter.m_context) { reporter.m_context = context; }
        ~Scope() { m_reporter.m_context = m_saved; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        StatusReporter& m_reporter;
        DWORD_PTR m_saved;
    };

private:
    Sink m_sink;
    DWORD_PTR m_context;
};

#include "platform/inet/StatusReporter.h"

void StatusReporter::Report(std::uint32_t status, std::string_view text) const
{
    if (!m_sink)
        return;
    const std::string copy(text);   // NUL-terminated for receivers that treat it as a C string
    m_sink(m_context, status, copy.c_str(), static_cast<std::uint32_t>(copy.size()));
}

void StatusReporter::ReportCount(std::uint32_t status, std::uint32_t count) const
{
    if (m_sink)
        m_sink(m_context, status, &count, sizeof(count));
}

void StatusReporter::Report(std::uint32_t status) const
{
    if (m_sink)
        m_sink(m_context, status, nullptr, 0);
}

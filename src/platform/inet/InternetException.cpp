#include "platform/inet/InternetException.h"

#include <algorithm>
#include <cstring>

CInternetException::CInternetException(std::uint32_t code, std::string text)
    : std::runtime_error(text), m_dwError(code), m_text(std::move(text))
{
}

bool CInternetException::GetErrorMessage(char* buffer, std::uint32_t bufferSize) const
{
    if (!buffer || bufferSize == 0)
        return false;
    buffer[0] = '\0';
    if (m_text.empty())
        return false;
    const std::size_t count = std::min<std::size_t>(m_text.size(), bufferSize - 1);
    std::memcpy(buffer, m_text.data(), count);
    buffer[count] = '\0';
    return true;
}

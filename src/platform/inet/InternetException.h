#pragma once
// The one way the library reports a failure: a numeric code of InetConstants.h and a text.
// Texts never contain a password.

#include "platform/inet/InetConstants.h"

#include <cstdint>
#include <stdexcept>
#include <string>

class CInternetException : public std::runtime_error {
public:
    CInternetException(std::uint32_t code, std::string text);

    std::uint32_t m_dwError;

    // Copies the text (NUL-terminated, cut to fit) into `buffer`; false when there is none.
    bool GetErrorMessage(char* buffer, std::uint32_t bufferSize) const;
    const std::string& GetText() const { return m_text; }

private:
    std::string m_text;
};

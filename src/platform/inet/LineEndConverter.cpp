#include "platform/inet/LineEndConverter.h"

void AsciiDecoder::Decode(std::string_view input, std::string& output)
{
    output.reserve(output.size() + input.size() + 1);
    for (char c : input) {
        if (m_pendingCr) {
            m_pendingCr = false;
            if (c == '\n') {
                output += '\n';
                continue;
            }
            output += '\r';
        }
        if (c == '\r')
            m_pendingCr = true;
        else
            output += c;
    }
}

void AsciiDecoder::Finish(std::string& output)
{
    if (m_pendingCr)
        output += '\r';
    m_pendingCr = false;
}

void AsciiEncoder::Encode(std::string_view input, std::string& output)
{
    output.reserve(output.size() + input.size() + input.size() / 16);
    for (char c : input) {
        if (c == '\n' && !m_lastWasCr)
            output += '\r';
        output += c;
        m_lastWasCr = c == '\r';
    }
}

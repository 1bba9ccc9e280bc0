#include "platform/inet/ReplyReader.h"

#include "platform/inet/InternetException.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kReceiveChunk = 16 * 1024;
constexpr char kTelnetIac = '\xff';

[[noreturn]] void ThrowProtocolError(const std::string& why)
{
    throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, "The server sent an invalid reply (" + why + ")");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsWithCode(const std::string& line)
{
    return line.size() >= 3 && IsDigit(line[0]) && IsDigit(line[1]) && IsDigit(line[2]);
}

// Servers double a data byte 0xFF (Telnet IAC) in replies, as clients do in commands.
void UndoubleIac(std::string& line)
{
    if (line.find("\xff\xff") == std::string::npos)
        return;
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        out += line[i];
        if (line[i] == kTelnetIac && i + 1 < line.size() && line[i + 1] == kTelnetIac)
            ++i;
    }
    line.swap(out);
}

}  // namespace

std::optional<std::string> ReplyReader::ReadLine(std::chrono::steady_clock::time_point deadline, bool insideReply)
{
    for (;;) {
        const std::size_t searchFrom = m_start + m_scanned;
        const std::size_t end = m_buffer.find('\n', searchFrom);
        if (end != std::string::npos) {
            std::size_t length = end - m_start;
            if (length > kMaxLineBytes)
                ThrowProtocolError("line too long");
            std::string line = m_buffer.substr(m_start, length);
            m_start = end + 1;
            m_scanned = 0;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.find('\0') != std::string::npos)
                ThrowProtocolError("NUL byte");
            UndoubleIac(line);
            return line;
        }
        m_scanned = m_buffer.size() - m_start;
        if (m_scanned > kMaxLineBytes)
            ThrowProtocolError("line too long");

        // Keep the buffer from growing with consumed bytes.
        if (m_start > 0) {
            m_buffer.erase(0, m_start);
            m_start = 0;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            throw CInternetException(ERROR_INTERNET_TIMEOUT, "Timed out waiting for the server's reply");
        const std::size_t old = m_buffer.size();
        m_buffer.resize(old + kReceiveChunk);
        std::size_t got = 0;
        try {
            got = m_stream.ReceiveSome(m_buffer.data() + old, kReceiveChunk, left);
        } catch (...) {
            m_buffer.resize(old);
            throw;
        }
        m_buffer.resize(old + got);
        if (got == 0) {
            if (!insideReply && m_buffer.empty())
                return std::nullopt;
            throw CInternetException(ERROR_FTP_DROPPED, "The server closed the connection in the middle of a reply");
        }
    }
}

std::optional<FtpReply> ReplyReader::Read(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::optional<std::string> first = ReadLine(deadline, false);
    if (!first)
        return std::nullopt;
    if (!StartsWithCode(*first) || (first->size() > 3 && (*first)[3] != ' ' && (*first)[3] != '-'))
        ThrowProtocolError("no reply code");

    FtpReply reply;
    reply.code = std::stoi(first->substr(0, 3));
    const bool multiLine = first->size() > 3 && (*first)[3] == '-';
    std::size_t total = first->size() + kLineOverheadBytes;
    const std::string code = first->substr(0, 3);
    reply.lines.push_back(std::move(*first));
    if (!multiLine)
        return reply;

    for (;;) {
        std::optional<std::string> line = ReadLine(deadline, true);
        total += line->size() + kLineOverheadBytes;
        if (total > kMaxReplyBytes)
            ThrowProtocolError("reply too long");
        // The last line repeats the code followed by a space (or nothing at all, which a few
        // servers send); lines in between may begin with anything, even other codes.
        const bool last = line->compare(0, 3, code) == 0 && (line->size() == 3 || (*line)[3] == ' ');
        reply.lines.push_back(std::move(*line));
        if (last)
            return reply;
    }
}

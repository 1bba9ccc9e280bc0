#pragma once
// Reads FTP replies from a stream: single-line "DDD text" and multi-line "DDD-" ... "DDD "
// (RFC 959 4.2), with CR LF or bare LF line ends.

#include "platform/inet/ByteStream.h"
#include "platform/inet/FtpReply.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

class ReplyReader {
public:
    // Longest reply line accepted; mature clients use the same cap.
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;
    // A multi-line reply may not grow without end either (FEAT, HELP and MLST are small). Each
    // line counts with what holding it costs, so that a flood of empty lines is stopped too.
    static constexpr std::size_t kMaxReplyBytes = 1024 * 1024;
    static constexpr std::size_t kLineOverheadBytes = sizeof(std::string);

    explicit ReplyReader(ByteStream& stream) : m_stream(stream) {}

    // The next complete reply, waiting at most `timeout` for all of it. nullopt when the stream
    // ended cleanly before the first byte of a reply. Throws CInternetException: protocol
    // errors (a first line that is not a code, a NUL, an overlong line) and an end of the
    // stream inside a reply as ERROR_INTERNET_EXTENDED_ERROR / ERROR_FTP_DROPPED, timeouts as
    // ERROR_INTERNET_TIMEOUT, resets as ERROR_INTERNET_CONNECTION_RESET.
    std::optional<FtpReply> Read(std::chrono::milliseconds timeout);

    // Bytes received but not yet returned as part of a reply.
    bool HasBufferedData() const { return m_start < m_buffer.size(); }

private:
    // The next line without its line end; nullopt at a clean end of stream.
    std::optional<std::string> ReadLine(std::chrono::steady_clock::time_point deadline, bool insideReply);

    ByteStream& m_stream;
    std::string m_buffer;
    std::size_t m_start = 0;     // first byte not yet consumed
    std::size_t m_scanned = 0;   // bytes after m_start already searched for a line end
};

#include "platform/inet/ControlChannel.h"

#include "platform/inet/FtpCommand.h"
#include "platform/inet/SocketWait.h"

#include <algorithm>

namespace {

constexpr int kServiceClosing = 421;

bool IsConnectionGone(const CInternetException& error)
{
    return error.m_dwError == ERROR_INTERNET_CONNECTION_RESET || error.m_dwError == ERROR_INTERNET_CONNECTION_ABORTED
           || error.m_dwError == ERROR_FTP_DROPPED;
}

}  // namespace

ControlChannel::ControlChannel(std::unique_ptr<TcpStream> stream, const StatusReporter& status)
    : m_peer(stream->PeerAddress()), m_local(stream->LocalAddress()),
      m_stream(std::make_unique<LayeredStream>(std::move(stream))), m_reader(*m_stream), m_status(status)
{
}

void ControlChannel::Send(std::string_view verb, std::string_view argument, std::chrono::milliseconds timeout)
{
    const std::string command = FormatCommand(verb, argument);
    m_status.Report(INTERNET_STATUS_SENDING_REQUEST);
    try {
        m_stream->SendAll(command, timeout);
    } catch (const CInternetException& error) {
        // A failed send means the bytes never left us: the request had no effect.
        if (IsConnectionGone(error))
            throw ControlConnectionLost(false, "The server closed the connection");
        throw;
    }
    m_status.ReportCount(INTERNET_STATUS_REQUEST_SENT, static_cast<std::uint32_t>(command.size()));
}

FtpReply ControlChannel::ReadReply(std::chrono::milliseconds timeout, bool mayHaveTakenEffect)
{
    return Receive(timeout, mayHaveTakenEffect, true);
}

FtpReply ControlChannel::ReadFinalReply(std::chrono::milliseconds timeout, bool mayHaveTakenEffect)
{
    return ReceiveFinal(timeout, mayHaveTakenEffect, true);
}

FtpReply ControlChannel::ReadGreeting(std::chrono::milliseconds timeout)
{
    return ReceiveFinal(timeout, false, false);
}

FtpReply ControlChannel::ReceiveFinal(std::chrono::milliseconds timeout, bool mayHaveTakenEffect, bool report)
{
    using Clock = std::chrono::steady_clock;
    // A 1xx reply must not restart the wait: a server repeating one would hold us for ever.
    const Clock::time_point deadline = Clock::now() + timeout * kFinalReplyTimeouts;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            throw CInternetException(ERROR_INTERNET_TIMEOUT, "Timed out waiting for the server's final reply");
        FtpReply reply = Receive(std::min(timeout, left), mayHaveTakenEffect, report);
        if (!reply.IsPreliminary())
            return reply;
    }
}

FtpReply ControlChannel::Receive(std::chrono::milliseconds timeout, bool mayHaveTakenEffect, bool report)
{
    if (report)
        m_status.Report(INTERNET_STATUS_RECEIVING_RESPONSE);
    std::optional<FtpReply> reply;
    try {
        reply = m_reader.Read(timeout);
    } catch (const CInternetException& error) {
        if (IsConnectionGone(error))
            throw ControlConnectionLost(mayHaveTakenEffect, "The server closed the connection");
        throw;
    }
    if (!reply)
        throw ControlConnectionLost(mayHaveTakenEffect, "The server closed the connection");
    std::uint32_t length = 0;
    for (const std::string& line : reply->lines)
        length += static_cast<std::uint32_t>(line.size() + 2);
    if (report)
        m_status.ReportCount(INTERNET_STATUS_RESPONSE_RECEIVED, length);
    if (reply->code == kServiceClosing)
        throw ControlConnectionLost(mayHaveTakenEffect, reply->Text());
    return *reply;
}

std::optional<std::string> ControlChannel::WhyUnusable(std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    for (int strays = 0;; ++strays) {
        // Readable bytes of the stream, not of its socket: a TLS record that holds no reply
        // (a session ticket) makes the socket readable without anything to read.
        if (!m_reader.HasBufferedData() && !m_stream->ReadableNow())
            return std::nullopt;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (strays >= kMaxStrayReplies || left.count() <= 0)
            return "The server sent more replies than were asked for";
        try {
            std::optional<FtpReply> stray = m_reader.Read(left);
            if (!stray || stray->code == kServiceClosing)
                return "The server closed the connection";
            // A late reply to something already given up on; it answers nothing now.
        } catch (const CInternetException&) {
            return "The server closed the connection";
        }
    }
}

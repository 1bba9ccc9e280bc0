#pragma once
// The control connection: sends commands and reads replies, with the status notifications
// around each, and notices a connection the server has dropped while it sat idle.

#include "platform/inet/FtpReply.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/LayeredStream.h"
#include "platform/inet/ReplyReader.h"
#include "platform/inet/StatusReporter.h"
#include "platform/inet/TcpStream.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The control connection is gone (end of stream, reset, or a 421). `MayHaveTakenEffect` says
// whether the request in flight could have reached the server; only when it could not is it
// safe to re-open the connection and send the request again.
class ControlConnectionLost : public CInternetException {
public:
    ControlConnectionLost(bool mayHaveTakenEffect, std::string text)
        : CInternetException(ERROR_FTP_DROPPED, std::move(text)), m_mayHaveTakenEffect(mayHaveTakenEffect) {}
    bool MayHaveTakenEffect() const { return m_mayHaveTakenEffect; }

private:
    bool m_mayHaveTakenEffect;
};

// The server refused a transfer command (RETR, STOR, LIST, MLSD) before any data moved.
class TransferRefused : public CInternetException {
public:
    TransferRefused(int replyCode, std::string text)
        : CInternetException(ERROR_INTERNET_EXTENDED_ERROR, std::move(text)), m_replyCode(replyCode) {}
    int ReplyCode() const { return m_replyCode; }

private:
    int m_replyCode;
};

class ControlChannel {
public:
    ControlChannel(std::unique_ptr<TcpStream> stream, const StatusReporter& status);

    // Sends one command. Refuses an unsafe argument before anything goes out. A connection
    // found gone at this point throws ControlConnectionLost that has not taken effect.
    void Send(std::string_view verb, std::string_view argument, std::chrono::milliseconds timeout);
    // A final reply must come within this many time-outs, however many 1xx replies ("120
    // ready in a minute", "150 opening") a server sends before it.
    static constexpr int kFinalReplyTimeouts = 4;
    // Stray replies discarded before a command; a server that sends more is not in step.
    static constexpr int kMaxStrayReplies = 16;

    // The next reply. The end of the stream throws ControlConnectionLost(`mayHaveTakenEffect`).
    FtpReply ReadReply(std::chrono::milliseconds timeout, bool mayHaveTakenEffect);
    // The next reply that is not preliminary (1xx), each wait at most `timeout`, all of them
    // at most kFinalReplyTimeouts times that; later throws ERROR_INTERNET_TIMEOUT.
    FtpReply ReadFinalReply(std::chrono::milliseconds timeout, bool mayHaveTakenEffect);
    // The server's greeting, after any 1xx replies, bounded as ReadFinalReply: a reply, but
    // not a response to any request, so it is not reported as one ("waiting for the server to
    // respond to a request").
    FtpReply ReadGreeting(std::chrono::milliseconds timeout);

    // Why the connection cannot take the next command, or nullopt when it can: the server has
    // closed it, reset it or announced 421 while no request was outstanding, or has sent more
    // stray replies than kMaxStrayReplies (or not finished them within `timeout`), so that its
    // state is unknown. Stray replies found on the way are discarded.
    std::optional<std::string> WhyUnusable(std::chrono::milliseconds timeout);

    int PollHandle() const { return m_stream->PollHandle(); }
    bool HasBufferedReply() const { return m_reader.HasBufferedData(); }
    SocketAddress PeerAddress() const { return m_peer; }
    SocketAddress LocalAddress() const { return m_local; }
    // After AUTH TLS: the TLS layer goes on top of the connection, under the reply reader.
    void AddLayer(const LayeredStream::Wrap& wrap) { m_stream->AddLayer(wrap); }
    ByteStream& Stream() const { return m_stream->Top(); }

private:
    FtpReply Receive(std::chrono::milliseconds timeout, bool mayHaveTakenEffect, bool report);
    FtpReply ReceiveFinal(std::chrono::milliseconds timeout, bool mayHaveTakenEffect, bool report);

    SocketAddress m_peer;
    SocketAddress m_local;
    std::unique_ptr<LayeredStream> m_stream;
    ReplyReader m_reader;
    const StatusReporter& m_status;
};

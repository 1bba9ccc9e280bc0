#pragma once
// The byte stream under the control and data connections: a TCP socket, or a TLS layer
// wrapping one. Every wait is bounded by the timeout the caller passes.

#include "platform/inet/SocketWait.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string_view>

class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Sends every byte or throws CInternetException (timeout, reset).
    virtual void SendAll(std::string_view data, std::chrono::milliseconds timeout) = 0;
    // Waits up to `timeout` for data; returns the count received, 0 at the end of the stream.
    virtual std::size_t ReceiveSome(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) = 0;
    // Like ReceiveSome without waiting: nullopt when nothing is there yet.
    virtual std::optional<std::size_t> TryReceive(char* buffer, std::size_t capacity) = 0;
    // Bytes that can be read now without waiting; 0 if unknown.
    virtual std::size_t BytesAvailable() const = 0;
    // The descriptor to wait on with poll, for waits on more than one stream at once.
    virtual int PollHandle() const = 0;
    // Ends what this side sends, where the layer has a way to say so (TLS's closing alert), and
    // waits up to `timeout` for the peer to close: a connection closed before the peer has
    // read everything may lose the end of an upload. Never throws.
    virtual void EndOfData(std::chrono::milliseconds /*timeout*/) noexcept {}
    // True when a read would not wait: data or the end of the stream is there. A layer that
    // takes records of its own from the connection (TLS session tickets) looks past those.
    virtual bool ReadableNow() { return WaitReadable(PollHandle(), std::chrono::milliseconds(0)) == WaitResult::Ready; }
};

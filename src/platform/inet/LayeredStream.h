#pragma once
// A ByteStream whose implementation can be wrapped in another layer while it is in use: the
// control connection's reader keeps reading from it when TLS goes on top after AUTH TLS.

#include "platform/inet/ByteStream.h"

#include <functional>
#include <memory>

class LayeredStream : public ByteStream {
public:
    using Wrap = std::function<std::unique_ptr<ByteStream>(std::unique_ptr<ByteStream>)>;

    explicit LayeredStream(std::unique_ptr<ByteStream> bottom) : m_top(std::move(bottom)) {}

    // Puts the stream `wrap` makes from the current top in its place.
    void AddLayer(const Wrap& wrap) { m_top = wrap(std::move(m_top)); }
    ByteStream& Top() const { return *m_top; }

    void SendAll(std::string_view data, std::chrono::milliseconds timeout) override { m_top->SendAll(data, timeout); }
    std::size_t ReceiveSome(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override
    {
        return m_top->ReceiveSome(buffer, capacity, timeout);
    }
    std::optional<std::size_t> TryReceive(char* buffer, std::size_t capacity) override
    {
        return m_top->TryReceive(buffer, capacity);
    }
    std::size_t BytesAvailable() const override { return m_top->BytesAvailable(); }
    int PollHandle() const override { return m_top->PollHandle(); }
    bool ReadableNow() override { return m_top->ReadableNow(); }
    void EndOfData(std::chrono::milliseconds timeout) noexcept override { m_top->EndOfData(timeout); }

private:
    std::unique_ptr<ByteStream> m_top;
};

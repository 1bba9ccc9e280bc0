#pragma once
// One data transfer (RETR, STOR or a listing) on an FtpClient. It is finished only when the
// data connection has ended and the server's final reply has confirmed it, in either order;
// anything else is a CInternetException, never a quiet success.

#include "platform/inet/ByteStream.h"
#include "platform/inet/FtpReply.h"
#include "platform/inet/LineEndConverter.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class FtpClient;
enum class TransferDirection;

class FtpTransfer {
public:
    // `finalReply` when the server already sent it with (or instead of) its 1xx reply.
    FtpTransfer(FtpClient& client, std::unique_ptr<ByteStream> data, TransferDirection direction, bool ascii,
                std::optional<std::uint64_t> expectedSize, std::optional<FtpReply> finalReply);
    // Aborts an unfinished transfer; never throws.
    ~FtpTransfer();
    FtpTransfer(const FtpTransfer&) = delete;
    FtpTransfer& operator=(const FtpTransfer&) = delete;

    // Up to `count` bytes; 0 only once the whole file has arrived and the server confirmed it.
    std::size_t Read(char* buffer, std::size_t count);
    // Takes all bytes (buffered; sent in large chunks).
    void Write(const char* buffer, std::size_t count);
    void Flush();
    // Ends the transfer: for an upload, sends the rest and closes the data connection; then
    // checks the final reply. A download not read to its end is aborted instead.
    void Finish();
    // Bytes readable now without waiting (0 if unknown or for an upload).
    std::uint64_t Available() const;

    bool Done() const { return m_state != State::Open; }

private:
    enum class State { Open, Finished, Failed };

    void FillBuffer();
    void ReceiveFinalReply();
    void ReceiveControlReply(class ControlChannel& control, std::chrono::milliseconds timeout);
    void CheckComplete();
    [[noreturn]] void FailWith(std::uint32_t code, const std::string& text);
    [[noreturn]] void FailAfterDataError(const class CInternetException& error);
    void Abort() noexcept;

    FtpClient& m_client;
    std::unique_ptr<ByteStream> m_data;
    TransferDirection m_direction;
    bool m_ascii;
    std::optional<std::uint64_t> m_expectedSize;
    std::optional<FtpReply> m_finalReply;
    State m_state = State::Open;
    bool m_dataEnded = false;
    std::uint64_t m_wireBytes = 0;   // bytes that crossed the data connection

    // Downloads: m_buffer[m_bufferStart, m_bufferEnd) is ready for the caller. Uploads: all of
    // m_buffer waits to be sent.
    std::string m_buffer;
    std::size_t m_bufferStart = 0;
    std::size_t m_bufferEnd = 0;
    std::string m_raw;               // ASCII downloads: the wire bytes before conversion
    AsciiDecoder m_decoder;
    AsciiEncoder m_encoder;
};

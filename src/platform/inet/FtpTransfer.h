#pragma once
// One data transfer (RETR, STOR or a listing) on an FtpClient. It is finished only when the
// data connection has ended and the server's final reply has confirmed it, in either order;
// anything else is a CInternetException, never a quiet success.
//
// A binary file whose data or control connection drops part way continues over a new
// connection from the byte the server has (at most kMaxResumes times), and its final size is
// checked with the server's; the session log is told each time.

#include "platform/inet/ByteStream.h"
#include "platform/inet/FtpReply.h"
#include "platform/inet/LineEndConverter.h"

#include <chrono>
#include <cstdint>
#include <deque>
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

    // The transfer is of the binary file `path` (as the request named it), so it may resume.
    void AllowResume(std::string path) { m_path = std::move(path); }
    static constexpr int kMaxResumes = 2;
    // An upload keeps this much of what it sent last, to send again from the size the server
    // says it kept after a drop; a server that lost more than this cannot be resumed. What a
    // drop can lose is what sat in the socket buffers on both sides (ours up to 8 MiB, the
    // server's as large as its system lets them grow), so this is well above their sum.
    static constexpr std::size_t kMaxResendBytes = 32 * 1024 * 1024;

private:
    enum class State { Open, Finished, Failed };

    // Runs `step`; when it fails because a connection dropped, resumes over a new connection
    // and runs it again. Steps must be safe to run again after a resume.
    template <typename Step>
    void Resumable(Step&& step);
    bool MayResumeAfter(const class CInternetException& error) const;
    // Resumes, trying again while attempts remain; throws `lost` (with why) when it cannot.
    void Resume(const class CInternetException& lost);
    void ResumeOnce();
    std::string ResumeNotice(std::uint64_t offset) const;
    void SendBuffer();
    void KeepForResend(std::string&& chunk);
    void ResendFrom(std::uint64_t offset);
    void CheckStoredSize();

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
    std::uint64_t m_wireBytes = 0;   // bytes that crossed the data connection (uploads: given to it)

    std::string m_path;              // empty: this transfer does not resume
    int m_resumes = 0;
    // Uploads that may resume: the last chunks sent, the first starting at byte m_keptFrom.
    std::deque<std::string> m_kept;
    std::uint64_t m_keptFrom = 0;
    std::size_t m_keptBytes = 0;

    // Downloads: m_buffer[m_bufferStart, m_bufferEnd) is ready for the caller. Uploads: all of
    // m_buffer waits to be sent.
    std::string m_buffer;
    std::size_t m_bufferStart = 0;
    std::size_t m_bufferEnd = 0;
    std::string m_raw;               // ASCII downloads: the wire bytes before conversion
    AsciiDecoder m_decoder;
    AsciiEncoder m_encoder;
};

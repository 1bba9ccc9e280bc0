#include "platform/inet/FtpTransfer.h"

#include "platform/inet/FtpClient.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/SocketWait.h"

#include <algorithm>
#include <cstring>

namespace {

// Received data is taken in large bites and handed out in the caller's block size, so that a
// caller reading 10 KiB at a time does not cost a system call per block.
constexpr std::size_t kReceiveBufferBytes = 256 * 1024;
// Uploads are gathered to this size before they are sent.
constexpr std::size_t kSendChunkBytes = 256 * 1024;

bool IsConnectionGone(const CInternetException& error)
{
    return error.m_dwError == ERROR_INTERNET_CONNECTION_RESET || error.m_dwError == ERROR_INTERNET_CONNECTION_ABORTED;
}

}  // namespace

template <typename Step>
void FtpTransfer::Resumable(Step&& step)
{
    for (;;) {
        try {
            step();
            return;
        } catch (const CInternetException& error) {
            if (!MayResumeAfter(error))
                throw;
            Resume(error);
        }
    }
}

FtpTransfer::FtpTransfer(FtpClient& client, std::unique_ptr<ByteStream> data, TransferDirection direction, bool ascii,
                         std::optional<std::uint64_t> expectedSize, std::optional<FtpReply> finalReply)
    : m_client(client), m_data(std::move(data)), m_direction(direction), m_ascii(ascii),
      m_expectedSize(expectedSize), m_finalReply(std::move(finalReply))
{
    if (m_direction == TransferDirection::Upload)
        m_buffer.reserve(kSendChunkBytes + kSendChunkBytes / 8);
    else
        (m_ascii ? m_raw : m_buffer).resize(kReceiveBufferBytes);   // sized once, reused
}

FtpTransfer::~FtpTransfer()
{
    if (m_state == State::Open)
        Abort();
}

void FtpTransfer::FailWith(std::uint32_t code, const std::string& text)
{
    m_state = State::Failed;
    m_data.reset();
    throw CInternetException(code, m_client.Scrub(text));
}

void FtpTransfer::ReceiveFinalReply()
{
    ControlChannel* control = m_client.Control();
    if (!control)
        FailWith(ERROR_FTP_DROPPED, "The connection to the server was lost during the transfer");
    try {
        m_finalReply = control->ReadFinalReply(m_client.Timeout(), true);
    } catch (const CInternetException& error) {
        m_client.DropControl();
        FailWith(error.m_dwError, error.GetText());
    }
}

void FtpTransfer::ReceiveControlReply(ControlChannel& control, std::chrono::milliseconds timeout)
{
    // One reply only: a late 1xx is passed over and the data read on, a final reply is kept
    // for the end (or is the reason the transfer failed).
    FtpReply reply;
    try {
        reply = control.ReadReply(timeout, true);
    } catch (const CInternetException& error) {
        m_client.DropControl();
        FailWith(error.m_dwError, error.GetText());
    }
    if (reply.IsPreliminary())
        return;
    m_finalReply = std::move(reply);
    if (m_finalReply->IsFailure())
        FailWith(ERROR_INTERNET_EXTENDED_ERROR, m_finalReply->Text());
}

void FtpTransfer::FailAfterDataError(const CInternetException& error)
{
    // The server usually says why on the control connection (426, 451, 552); that is the
    // better text. After a time-out there is no point in waiting once more.
    ControlChannel* control = m_client.Control();
    if (!m_finalReply && control) {
        const bool replyWaiting = control->HasBufferedReply()
                                  || WaitReadable(control->PollHandle(), std::chrono::milliseconds(0)) == WaitResult::Ready;
        if (replyWaiting || IsConnectionGone(error))
            ReceiveFinalReply();
        else
            m_client.DropControl();   // its reply will come some time; the state is unknown
    }
    // A broken encrypted stream stays the reason (and final) whatever reply came with it:
    // the server's 426 would otherwise hide it and make the transfer try again.
    if (error.m_dwError == ERROR_INTERNET_SECURITY_CHANNEL_ERROR)
        FailWith(error.m_dwError, error.GetText());
    if (m_finalReply && m_finalReply->IsFailure())
        FailWith(ERROR_INTERNET_EXTENDED_ERROR, m_finalReply->Text());
    if (IsConnectionGone(error))
        FailWith(error.m_dwError, "The data connection was broken before the end of the file");
    FailWith(error.m_dwError, error.GetText());
}

void FtpTransfer::FillBuffer()
{
    m_bufferStart = m_bufferEnd = 0;
    std::string& target = m_ascii ? m_raw : m_buffer;
    std::size_t got = 0;
    using Clock = std::chrono::steady_clock;
    // Replies on the control connection do not restart the wait for data: a server sending
    // 1xx replies instead of data must time out like a silent one.
    const Clock::time_point deadline = Clock::now() + m_client.Timeout();
    try {
        for (;;) {
            if (std::optional<std::size_t> received = m_data->TryReceive(target.data(), target.size())) {
                got = *received;
                break;
            }
            // While waiting for data, watch the control connection too: a server that gives up
            // says so there and may leave the data connection open.
            ControlChannel* control = m_finalReply ? nullptr : m_client.Control();
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            int ready = -1;
            if (left.count() > 0)
                ready = control && control->HasBufferedReply()
                            ? 1
                            : WaitEitherReadable(m_data->PollHandle(), control ? control->PollHandle() : -1, left);
            if (ready < 0)
                throw CInternetException(ERROR_INTERNET_TIMEOUT, "Timed out waiting for data from the server");
            if (ready == 1)
                ReceiveControlReply(*control, left);
        }
    } catch (const CInternetException& error) {
        if (m_state == State::Failed)
            throw;
        FailAfterDataError(error);
    }
    m_wireBytes += got;
    if (m_ascii) {
        m_buffer.clear();
        if (got == 0)
            m_decoder.Finish(m_buffer);
        else
            m_decoder.Decode(std::string_view(m_raw.data(), got), m_buffer);
        m_bufferEnd = m_buffer.size();
    } else {
        m_bufferEnd = got;
    }
    if (got == 0) {
        m_dataEnded = true;
        m_data.reset();
    }
}

void FtpTransfer::CheckComplete()
{
    if (!m_finalReply)
        ReceiveFinalReply();
    if (!m_finalReply->IsSuccess())
        FailWith(ERROR_INTERNET_EXTENDED_ERROR, m_finalReply->Text());
    if (m_expectedSize && m_wireBytes < *m_expectedSize)
        FailWith(ERROR_INTERNET_CONNECTION_ABORTED,
                 "The data connection closed after " + std::to_string(m_wireBytes) + " of "
                     + std::to_string(*m_expectedSize) + " bytes");
    // Pieces from more than one connection must add up to the file exactly. (A file that grew
    // while one connection read it is left as it was read.)
    if (m_resumes > 0 && m_expectedSize && m_wireBytes != *m_expectedSize)
        FailWith(ERROR_INTERNET_EXTENDED_ERROR, "The server sent " + std::to_string(m_wireBytes)
                                                    + " bytes of a file of " + std::to_string(*m_expectedSize));
    m_state = State::Finished;
}

std::size_t FtpTransfer::Read(char* buffer, std::size_t count)
{
    if (m_direction != TransferDirection::Download)
        throw CInternetException(ERROR_INTERNET_INVALID_OPERATION, "The file is open for writing");
    if (m_state == State::Failed)
        throw CInternetException(ERROR_INTERNET_CONNECTION_ABORTED, "The transfer has failed");
    if (m_state == State::Finished || count == 0)
        return 0;
    while (m_bufferStart >= m_bufferEnd) {
        bool complete = false;
        Resumable([&] {
            if (m_dataEnded) {
                CheckComplete();
                complete = true;
            } else {
                FillBuffer();
            }
        });
        if (complete)
            return 0;
    }
    const std::size_t n = std::min(count, m_bufferEnd - m_bufferStart);
    std::memcpy(buffer, m_buffer.data() + m_bufferStart, n);
    m_bufferStart += n;
    return n;
}

void FtpTransfer::Write(const char* buffer, std::size_t count)
{
    if (m_direction != TransferDirection::Upload)
        throw CInternetException(ERROR_INTERNET_INVALID_OPERATION, "The file is open for reading");
    if (m_state != State::Open)
        throw CInternetException(ERROR_INTERNET_CONNECTION_ABORTED, "The transfer has failed");
    if (m_ascii)
        m_encoder.Encode(std::string_view(buffer, count), m_buffer);
    else
        m_buffer.append(buffer, count);
    if (m_buffer.size() >= kSendChunkBytes)
        Flush();
}

void FtpTransfer::Flush()
{
    if (m_direction != TransferDirection::Upload || m_state != State::Open || m_buffer.empty())
        return;
    Resumable([&] { SendBuffer(); });
}

void FtpTransfer::SendBuffer()
{
    if (m_buffer.empty())
        return;
    std::optional<CInternetException> failure;
    try {
        m_data->SendAll(m_buffer, m_client.Timeout());
    } catch (const CInternetException& error) {
        failure = error;
    }
    // Sent or not, the bytes count as given to the connection: after a drop, the size the
    // server kept says where to go on, and the kept chunks hold what to send again.
    m_wireBytes += m_buffer.size();
    if (m_path.empty())
        m_buffer.clear();
    else
        KeepForResend(std::move(m_buffer));
    if (failure)
        FailAfterDataError(*failure);
}

void FtpTransfer::KeepForResend(std::string&& chunk)
{
    m_keptBytes += chunk.size();
    m_kept.push_back(std::move(chunk));
    std::string recycled;
    while (m_kept.size() > 1 && m_keptBytes - m_kept.front().size() >= kMaxResendBytes) {
        m_keptFrom += m_kept.front().size();
        m_keptBytes -= m_kept.front().size();
        recycled = std::move(m_kept.front());
        m_kept.pop_front();
    }
    recycled.clear();
    m_buffer = std::move(recycled);
    m_buffer.reserve(kSendChunkBytes + kSendChunkBytes / 8);
}

void FtpTransfer::Finish()
{
    // A transfer that failed has said so already, from the call that failed.
    if (m_state != State::Open)
        return;
    if (m_direction == TransferDirection::Upload) {
        Resumable([&] {
            SendBuffer();
            // In stream mode the end of the data connection is the end of the file.
            m_data->EndOfData(m_client.Timeout());
            m_data.reset();
            m_dataEnded = true;
            if (!m_finalReply)
                ReceiveFinalReply();
            if (!m_finalReply->IsSuccess())
                FailWith(ERROR_INTERNET_EXTENDED_ERROR, m_finalReply->Text());
        });
        if (m_resumes > 0)
            CheckStoredSize();
        m_state = State::Finished;
        return;
    }
    if (m_dataEnded && m_bufferStart >= m_bufferEnd) {
        CheckComplete();
        return;
    }
    Abort();   // the caller stopped reading early
}

void FtpTransfer::Abort() noexcept
{
    m_state = State::Failed;
    // Closing the data connection stops the server's side of the transfer (it answers 426, or
    // 226 if it had sent everything); its reply must be read to keep the control connection
    // in step.
    m_data.reset();
    if (m_finalReply)
        return;
    ControlChannel* control = m_client.Control();
    if (!control)
        return;
    try {
        m_finalReply = control->ReadFinalReply(m_client.Timeout(), true);
    } catch (...) {
        m_client.DropControl();
    }
}

std::uint64_t FtpTransfer::Available() const
{
    if (m_direction != TransferDirection::Download || m_state != State::Open)
        return 0;
    std::uint64_t buffered = m_bufferEnd - m_bufferStart;
    if (m_data)
        buffered += m_data->BytesAvailable();
    return buffered;
}

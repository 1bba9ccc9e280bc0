// A binary file transfer that continues over a new connection after its data or control
// connection dropped part way.

#include "platform/inet/FtpTransfer.h"

#include "platform/inet/FtpClient.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/PrintableText.h"

namespace {

// Failures of a network path rather than refusals by the server: worth another attempt.
bool IsConnectionTrouble(std::uint32_t code)
{
    return code == ERROR_INTERNET_CONNECTION_RESET || code == ERROR_INTERNET_CONNECTION_ABORTED
           || code == ERROR_INTERNET_TIMEOUT || code == ERROR_FTP_DROPPED || code == ERROR_INTERNET_CANNOT_CONNECT;
}

constexpr int kTransientReplyFirst = 400;
constexpr int kTransientReplyLast = 499;

unsigned RoundedPercent(std::uint64_t part, std::uint64_t whole)
{
    return static_cast<unsigned>(static_cast<double>(part) * 100.0 / static_cast<double>(whole) + 0.5);
}

}  // namespace

bool FtpTransfer::MayResumeAfter(const CInternetException& error) const
{
    if (m_path.empty() || m_resumes >= kMaxResumes)
        return false;
    // A transfer that never moved a byte did not drop in the middle of the file: it was
    // refused or never started, and is reported as it is.
    if (m_resumes == 0 && m_wireBytes == 0)
        return false;
    if (IsConnectionTrouble(error.m_dwError))
        return true;
    // 426 ("connection closed"), 451 and the like are the server's word that the transfer
    // broke and may be tried again; a 5xx (no space, no permission) is final.
    return error.m_dwError == ERROR_INTERNET_EXTENDED_ERROR && m_finalReply
           && m_finalReply->code >= kTransientReplyFirst && m_finalReply->code <= kTransientReplyLast;
}

void FtpTransfer::Resume(const CInternetException& lost)
{
    std::string why;
    while (m_resumes < kMaxResumes) {
        ++m_resumes;
        try {
            ResumeOnce();
            return;
        } catch (const CInternetException& error) {
            m_state = State::Failed;
            m_data.reset();
            if (error.m_dwError == ERROR_INTERNET_OPERATION_CANCELLED)
                throw;
            why = error.GetText();
            if (!IsConnectionTrouble(error.m_dwError))
                break;
        }
    }
    throw CInternetException(lost.m_dwError, lost.GetText() + " (continuing over a new connection failed: " + why + ")");
}

void FtpTransfer::ResumeOnce()
{
    m_state = State::Failed;   // until the transfer runs again
    m_data.reset();
    m_finalReply.reset();
    m_client.Reconnect();
    const bool upload = m_direction == TransferDirection::Upload;
    const std::optional<std::uint64_t> stored = m_client.StoredSize(m_path);
    std::uint64_t offset = m_wireBytes;
    if (upload) {
        // Never where the sending stopped: the server may have kept less than it was given.
        if (!stored)
            throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR,
                                     "the server does not say how much of the file it holds");
        if (*stored > m_wireBytes || *stored < m_keptFrom)
            throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR,
                                     "the server holds " + std::to_string(*stored) + " bytes of the "
                                         + std::to_string(m_wireBytes) + " sent, which cannot be continued");
        offset = *stored;
    } else if (stored) {
        // Pieces of two versions of a file are no copy of either.
        if ((m_expectedSize && *stored != *m_expectedSize) || *stored < offset)
            throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, "the file on the server changed: it now has "
                                                                        + std::to_string(*stored) + " bytes");
        m_expectedSize = stored;
    }
    DataChannel channel = m_client.RestartTransfer(m_path, m_direction, offset);
    m_client.Status().Report(INTERNET_STATUS_TRANSFER_RESUMED, ResumeNotice(offset));
    m_data = std::move(channel.stream);
    m_finalReply = std::move(channel.finalReply);
    m_dataEnded = false;
    m_state = State::Open;
    if (upload)
        ResendFrom(offset);
}

std::string FtpTransfer::ResumeNotice(std::uint64_t offset) const
{
    const std::string name = PrintableText(m_path);
    std::string where;
    if (m_direction == TransferDirection::Upload)
        where = "after " + std::to_string(m_wireBytes) + " bytes sent of " + name + ", of which the server kept "
                + std::to_string(offset);
    else if (m_expectedSize && *m_expectedSize > 0)
        where = "at " + std::to_string(RoundedPercent(offset, *m_expectedSize)) + "% of " + name;
    else
        where = "after " + std::to_string(offset) + " bytes of " + name;
    return "Connection lost " + where + "; resuming from byte " + std::to_string(offset) + " (attempt "
           + std::to_string(m_resumes) + " of " + std::to_string(kMaxResumes) + ")";
}

void FtpTransfer::ResendFrom(std::uint64_t offset)
{
    std::uint64_t position = m_keptFrom;
    for (const std::string& chunk : m_kept) {
        const std::uint64_t end = position + chunk.size();
        if (end > offset) {
            const std::size_t skip = offset > position ? static_cast<std::size_t>(offset - position) : 0;
            m_data->SendAll(std::string_view(chunk).substr(skip), m_client.Timeout());
        }
        position = end;
    }
}

void FtpTransfer::CheckStoredSize()
{
    // The server's 226 covers the last connection only; the whole file is checked by its size.
    std::optional<std::uint64_t> stored;
    try {
        stored = m_client.StoredSize(m_path);
    } catch (const CInternetException& error) {
        FailWith(error.m_dwError, "The file was sent, but its size on the server could not be checked: "
                                      + error.GetText());
    }
    if (stored && *stored != m_wireBytes)
        FailWith(ERROR_INTERNET_EXTENDED_ERROR, "The server holds " + std::to_string(*stored) + " bytes of the "
                                                    + std::to_string(m_wireBytes) + " sent");
}

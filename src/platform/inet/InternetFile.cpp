#include "platform/inet/InternetFile.h"

#include "platform/inet/FtpClient.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/FtpTransfer.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetSession.h"

namespace {
[[noreturn]] void ThrowClosed()
{
    throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE, "The file is closed");
}
}  // namespace

CInternetFile::CInternetFile(CFtpConnection* connection, std::unique_ptr<FtpTransfer> transfer, std::string path,
                             std::uint32_t access, DWORD_PTR context)
    : m_connection(connection), m_transfer(std::move(transfer)), m_path(std::move(path)), m_access(access),
      m_context(context)
{
    m_connection->Client().SetBusy(true);
    if (CInternetSession* session = m_connection->Session())
        session->NotifyStatus(m_context, INTERNET_STATUS_HANDLE_CREATED, nullptr, 0);
}

CInternetFile::~CInternetFile()
{
    try {
        Close();
    } catch (const CInternetException&) {
        // Documented: a file closed by its destructor cannot report; Close() does.
    }
}

std::uint32_t CInternetFile::Read(void* buffer, std::uint32_t count)
{
    if (!m_transfer)
        ThrowClosed();
    if (m_access != GENERIC_READ)
        throw CInternetException(ERROR_INTERNET_INVALID_OPERATION, "The file is open for writing");
    StatusReporter::Scope scope(m_connection->Client().Status(), m_context);
    return static_cast<std::uint32_t>(m_transfer->Read(static_cast<char*>(buffer), count));
}

void CInternetFile::Write(const void* buffer, std::uint32_t count)
{
    if (!m_transfer)
        ThrowClosed();
    if (m_access != GENERIC_WRITE)
        throw CInternetException(ERROR_INTERNET_INVALID_OPERATION, "The file is open for reading");
    StatusReporter::Scope scope(m_connection->Client().Status(), m_context);
    m_transfer->Write(static_cast<const char*>(buffer), count);
}

void CInternetFile::Flush()
{
    if (!m_transfer)
        ThrowClosed();
    StatusReporter::Scope scope(m_connection->Client().Status(), m_context);
    m_transfer->Flush();
}

void CInternetFile::Close()
{
    if (!m_transfer)
        return;
    FtpClient& client = m_connection->Client();
    StatusReporter::Scope scope(client.Status(), m_context);
    // The file lets go of the connection whether or not the server confirms the transfer.
    struct Release {
        CInternetFile& file;
        FtpClient& client;
        ~Release()
        {
            file.m_transfer.reset();
            client.SetBusy(false);
            if (CInternetSession* session = file.m_connection->Session())
                session->NotifyStatus(file.m_context, INTERNET_STATUS_HANDLE_CLOSING, nullptr, 0);
        }
    } release{*this, client};
    m_transfer->Finish();
}

std::uint64_t CInternetFile::GetLength() const
{
    return m_transfer ? m_transfer->Available() : 0;
}

#include "platform/inet/FtpConnection.h"

#include "platform/inet/FtpClient.h"
#include "platform/inet/FtpTransfer.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"
#include "platform/inet/InternetSession.h"

CFtpConnection::CFtpConnection(CInternetSession* session, std::unique_ptr<FtpClient> client, std::string server)
    : m_session(session), m_client(std::move(client)), m_server(std::move(server))
{
    if (m_session)
        m_session->NotifyStatus(m_session->GetContext(), INTERNET_STATUS_HANDLE_CREATED, nullptr, 0);
}

CFtpConnection::~CFtpConnection()
{
    Close();
}

bool CFtpConnection::Run(const std::function<void()>& request)
{
    if (m_closed) {
        m_lastErrorCode = ERROR_INTERNET_INCORRECT_HANDLE_STATE;
        m_lastErrorText = "The connection is closed";
        return false;
    }
    try {
        request();
    } catch (const CInternetException& error) {
        m_lastErrorCode = error.m_dwError;
        m_lastErrorText = error.GetText();
        return false;
    }
    m_lastErrorCode = 0;
    m_lastErrorText.clear();
    return true;
}

bool CFtpConnection::SetCurrentDirectory(const std::string& directory)
{
    return Run([&] { m_client->ChangeDirectory(directory); });
}

bool CFtpConnection::GetCurrentDirectory(std::string& directory)
{
    return Run([&] { directory = m_client->CurrentDirectory(); });
}

bool CFtpConnection::CreateDirectory(const std::string& path)
{
    return Run([&] { m_client->MakeDirectory(path); });
}

bool CFtpConnection::RemoveDirectory(const std::string& path)
{
    return Run([&] { m_client->RemoveDirectory(path); });
}

bool CFtpConnection::Remove(const std::string& path)
{
    return Run([&] { m_client->DeleteFile(path); });
}

bool CFtpConnection::Rename(const std::string& oldPath, const std::string& newPath)
{
    return Run([&] { m_client->Rename(oldPath, newPath); });
}

std::optional<std::uint64_t> CFtpConnection::GetFileSize(const std::string& path)
{
    std::optional<std::uint64_t> size;
    Run([&] { size = m_client->FileSize(path); });
    return size;
}

std::optional<std::int64_t> CFtpConnection::GetFileModifiedTime(const std::string& path)
{
    std::optional<std::int64_t> modified;
    Run([&] { modified = m_client->FileModifiedTime(path); });
    return modified;
}

CInternetFile* CFtpConnection::OpenFile(const std::string& path, std::uint32_t access, std::uint32_t type,
                                        DWORD_PTR context)
{
    if (m_closed)
        throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE, "The connection is closed");
    if (access != GENERIC_READ && access != GENERIC_WRITE)
        throw CInternetException(ERROR_INTERNET_INVALID_PARAMETER, "A file opens either for reading or for writing");
    StatusReporter::Scope scope(m_client->Status(), context);
    std::unique_ptr<FtpTransfer> transfer = m_client->OpenFile(
        path, access == GENERIC_READ ? TransferDirection::Download : TransferDirection::Upload,
        type == FTP_TRANSFER_TYPE_ASCII);
    return new CInternetFile(this, std::move(transfer), path, access, context);
}

bool CFtpConnection::IsEncrypted() const
{
    return !m_closed && m_client->Encrypted();
}

std::string CFtpConnection::AcceptedFingerprint() const
{
    return m_client->AcceptedFingerprint();
}

void CFtpConnection::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_client->Close();
    if (m_session)
        m_session->NotifyStatus(m_session->GetContext(), INTERNET_STATUS_HANDLE_CLOSING, nullptr, 0);
}

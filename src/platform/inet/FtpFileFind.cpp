#include "platform/inet/FtpFileFind.h"

#include "platform/inet/FtpClient.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetSession.h"
#include "platform/inet/ListingEntry.h"

#include <new>

CFtpFileFind::CFtpFileFind(CFtpConnection* connection, DWORD_PTR context) : m_connection(connection), m_context(context)
{
}

CFtpFileFind::~CFtpFileFind()
{
    Close();
}

bool CFtpFileFind::FindFile(const std::string& pattern, std::uint32_t /*flags*/)
{
    // Every search asks the server (there is no cache), which is what INTERNET_FLAG_RELOAD asks.
    Close();
    m_lastErrorText.clear();
    if (!m_connection) {
        m_lastErrorCode = ERROR_INTERNET_INCORRECT_HANDLE_STATE;
        return false;
    }
    FtpClient& client = m_connection->Client();
    StatusReporter::Scope scope(client.Status(), m_context);
    try {
        m_entries = client.Find(pattern);
    } catch (const CInternetException& error) {
        m_lastErrorCode = error.m_dwError;
        m_lastErrorText = error.GetText();
        return false;
    } catch (const std::bad_alloc&) {
        // The listing stays within the library's limits, but the machine may have less.
        m_entries = {};
        m_lastErrorCode = ERROR_NOT_ENOUGH_MEMORY;
        m_lastErrorText = "Not enough memory to hold the directory listing";
        return false;
    }
    if (m_entries.empty()) {
        m_lastErrorCode = ERROR_NO_MORE_FILES;
        return false;
    }
    m_lastErrorCode = 0;
    m_next = 0;
    m_open = true;
    client.SetBusy(true);
    if (CInternetSession* session = m_connection->Session())
        session->NotifyStatus(m_context, INTERNET_STATUS_HANDLE_CREATED, nullptr, 0);
    return true;
}

bool CFtpFileFind::FindNextFile()
{
    if (!m_open || m_next >= m_entries.size())
        return false;
    ++m_next;
    return m_next < m_entries.size();
}

void CFtpFileFind::Close()
{
    if (m_open) {
        m_open = false;
        m_connection->Client().SetBusy(false);
        if (CInternetSession* session = m_connection->Session())
            session->NotifyStatus(m_context, INTERNET_STATUS_HANDLE_CLOSING, nullptr, 0);
    }
    m_entries.clear();
    m_next = 0;
}

const ListingEntry* CFtpFileFind::Current() const
{
    if (!m_open || m_next == 0 || m_next > m_entries.size())
        return nullptr;
    return &m_entries[m_next - 1];
}

std::string CFtpFileFind::GetFileName() const
{
    const ListingEntry* entry = Current();
    return entry ? entry->name : std::string();
}

std::uint64_t CFtpFileFind::GetLength() const
{
    const ListingEntry* entry = Current();
    return entry ? entry->size : 0;
}

std::int64_t CFtpFileFind::GetLastWriteTime() const
{
    const ListingEntry* entry = Current();
    return entry ? entry->modified : 0;
}

bool CFtpFileFind::IsDirectory() const
{
    const ListingEntry* entry = Current();
    return entry && entry->isDirectory;
}

bool CFtpFileFind::IsDots() const
{
    const ListingEntry* entry = Current();
    return entry && (entry->name == "." || entry->name == "..");
}

bool CFtpFileFind::IsSymbolicLink() const
{
    const ListingEntry* entry = Current();
    return entry && entry->isLink;
}

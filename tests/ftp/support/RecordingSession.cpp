#include "ftp/support/RecordingSession.h"

RecordingSession::RecordingSession(DWORD_PTR context) : CInternetSession("Ferrix FTP tests", context)
{
    EnableStatusCallback(true);
}

void RecordingSession::OnStatusCallback(DWORD_PTR context, std::uint32_t internetStatus,
                                        const void* statusInformation, std::uint32_t statusInformationLength)
{
    StatusNotification notification{context, internetStatus, {}};
    if (statusInformation && statusInformationLength > 0)
        notification.info.assign(static_cast<const char*>(statusInformation), statusInformationLength);
    while (!notification.info.empty() && notification.info.back() == '\0')
        notification.info.pop_back();
    m_notifications.push_back(std::move(notification));
}

std::vector<std::uint32_t> RecordingSession::StatusCodes() const
{
    std::vector<std::uint32_t> codes;
    for (const auto& notification : m_notifications)
        codes.push_back(notification.status);
    return codes;
}

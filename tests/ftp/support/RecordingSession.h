#pragma once
// A session that keeps every status notification it receives, in order, for tests to inspect.

#include "platform/inet/InternetSession.h"

#include <cstdint>
#include <string>
#include <vector>

struct StatusNotification {
    DWORD_PTR context = 0;
    std::uint32_t status = 0;
    std::string info;   // the information bytes as given (trailing NULs removed)
};

class RecordingSession : public CInternetSession {
public:
    explicit RecordingSession(DWORD_PTR context = 1);

    void OnStatusCallback(DWORD_PTR context, std::uint32_t internetStatus, const void* statusInformation,
                          std::uint32_t statusInformationLength) override;

    const std::vector<StatusNotification>& Notifications() const { return m_notifications; }
    void ClearNotifications() { m_notifications.clear(); }
    // The status codes in the order they arrived.
    std::vector<std::uint32_t> StatusCodes() const;

private:
    std::vector<StatusNotification> m_notifications;
};

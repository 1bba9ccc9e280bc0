#include "probe/ProbeSession.h"

#include "platform/inet/InetConstants.h"
#include "platform/inet/SecretScrubber.h"
#include "platform/inet/PrintableText.h"

#include <cstring>
#include <ostream>

namespace {

constexpr const char* kAgent = "ferrix-probe";

} // namespace

ProbeSession::ProbeSession(bool verbose, std::ostream& log, std::string password)
    : CInternetSession(kAgent), m_log(log), m_password(std::move(password))
{
    EnableStatusCallback(verbose);
}

void ProbeSession::OnStatusCallback(DWORD_PTR, std::uint32_t internetStatus, const void* statusInformation,
                                    std::uint32_t statusInformationLength)
{
    // The library keeps passwords out of its notifications; the probe makes sure of it anyway,
    // since its output ends up in bug reports.
    const std::string info =
        ScrubSecret(StatusInfoText(internetStatus, statusInformation, statusInformationLength), m_password);
    m_log << "status " << internetStatus << ' ' << StatusName(internetStatus);
    if (!info.empty())
        m_log << ' ' << info;
    m_log << std::endl;
}

const char* StatusName(std::uint32_t internetStatus)
{
    switch (internetStatus) {
    case INTERNET_STATUS_RESOLVING_NAME: return "RESOLVING_NAME";
    case INTERNET_STATUS_NAME_RESOLVED: return "NAME_RESOLVED";
    case INTERNET_STATUS_CONNECTING_TO_SERVER: return "CONNECTING_TO_SERVER";
    case INTERNET_STATUS_CONNECTED_TO_SERVER: return "CONNECTED_TO_SERVER";
    case INTERNET_STATUS_SENDING_REQUEST: return "SENDING_REQUEST";
    case INTERNET_STATUS_REQUEST_SENT: return "REQUEST_SENT";
    case INTERNET_STATUS_RECEIVING_RESPONSE: return "RECEIVING_RESPONSE";
    case INTERNET_STATUS_RESPONSE_RECEIVED: return "RESPONSE_RECEIVED";
    case INTERNET_STATUS_CLOSING_CONNECTION: return "CLOSING_CONNECTION";
    case INTERNET_STATUS_CONNECTION_CLOSED: return "CONNECTION_CLOSED";
    case INTERNET_STATUS_HANDLE_CREATED: return "HANDLE_CREATED";
    case INTERNET_STATUS_HANDLE_CLOSING: return "HANDLE_CLOSING";
    case INTERNET_STATUS_REQUEST_COMPLETE: return "REQUEST_COMPLETE";
    case INTERNET_STATUS_LISTING_LINES_SKIPPED: return "LISTING_LINES_SKIPPED";
    case INTERNET_STATUS_TRANSFER_RESUMED: return "TRANSFER_RESUMED";
    default: return "UNKNOWN";
    }
}

std::string StatusInfoText(std::uint32_t internetStatus, const void* information, std::uint32_t length)
{
    if (!information || length == 0)
        return {};
    const auto* bytes = static_cast<const unsigned char*>(information);
    const bool isCount =
        internetStatus == INTERNET_STATUS_REQUEST_SENT || internetStatus == INTERNET_STATUS_RESPONSE_RECEIVED;
    if (isCount && length == sizeof(std::uint32_t)) {
        std::uint32_t count = 0;
        std::memcpy(&count, bytes, sizeof count);
        return std::to_string(count);
    }
    std::size_t textLength = length;
    while (textLength > 0 && bytes[textLength - 1] == '\0')
        --textLength;
    return PrintableText(std::string_view(reinterpret_cast<const char*>(bytes), textLength));
}

#include "net/FtpSession.h"

#include <array>
#include <utility>

bool g_bShuttingDown = false;

namespace {
struct StatusName {
    std::uint32_t code;
    const char* text;
};

constexpr std::array<StatusName, 13> kStatusTexts{{
    {INTERNET_STATUS_RESOLVING_NAME, "Looking up the IP address"},
    {INTERNET_STATUS_NAME_RESOLVED, "Successfully found the IP address"},
    {INTERNET_STATUS_CONNECTING_TO_SERVER, "Connecting to the socket address"},
    {INTERNET_STATUS_CONNECTED_TO_SERVER, "Successfully connected to the socket address"},
    {INTERNET_STATUS_SENDING_REQUEST, "Sending the information request to the server"},
    {INTERNET_STATUS_REQUEST_SENT, "Successfully sent the information request to the server"},
    {INTERNET_STATUS_RECEIVING_RESPONSE, "Waiting for the server to respond to a request"},
    {INTERNET_STATUS_RESPONSE_RECEIVED, "Successfully received a response from the server"},
    {INTERNET_STATUS_CLOSING_CONNECTION, "Closing the connection to the server"},
    {INTERNET_STATUS_CONNECTION_CLOSED, "Successfully closed the connection to the server"},
    {INTERNET_STATUS_HANDLE_CREATED, "A new handle has been created"},
    {INTERNET_STATUS_HANDLE_CLOSING, "Successfully terminated this handle value"},
    {INTERNET_STATUS_REQUEST_COMPLETE, "Successfully completed the asynchronous operation"},
}};

// The codes whose information is text worth keeping: the name looked up, the address found,
// the address connected to.
bool CarriesAddressText(std::uint32_t internetStatus)
{
    return internetStatus == INTERNET_STATUS_RESOLVING_NAME || internetStatus == INTERNET_STATUS_NAME_RESOLVED
           || internetStatus == INTERNET_STATUS_CONNECTING_TO_SERVER
           || internetStatus == INTERNET_STATUS_CONNECTED_TO_SERVER;
}

StatusDisplay& Display()
{
    static StatusDisplay display;
    return display;
}

constexpr const char* kLineEnd = "\r\n";
} // namespace

CFtpSession::CFtpSession(DWORD_PTR context)
    : CInternetSession(nullptr, context, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_DONT_CACHE)
{
}

void CFtpSession::OnStatusCallback(DWORD_PTR /*context*/, std::uint32_t internetStatus, const void* statusInformation,
                                   std::uint32_t statusInformationLength)
{
    std::string& log = SessionLog();
    // The library's own notices carry their whole text as information: a folder that looks
    // short must not be short without a word in the log, nor a file copied in pieces.
    if ((internetStatus == INTERNET_STATUS_LISTING_LINES_SKIPPED || internetStatus == INTERNET_STATUS_TRANSFER_RESUMED)
        && statusInformation != nullptr) {
        const std::string notice(static_cast<const char*>(statusInformation), statusInformationLength);
        log += notice;
        log += kLineEnd;
        if (!g_bShuttingDown && Display())
            Display()(notice);
        return;
    }
    const char* text = StatusText(internetStatus);
    if (CarriesAddressText(internetStatus) && statusInformation != nullptr) {
        log.append(static_cast<const char*>(statusInformation), statusInformationLength);
        log += kLineEnd;
    }
    log += text;
    log += kLineEnd;
    if (!g_bShuttingDown && Display())
        Display()(text);
}

const char* StatusText(std::uint32_t internetStatus)
{
    for (const StatusName& entry : kStatusTexts) {
        if (entry.code == internetStatus)
            return entry.text;
    }
    return "";
}

std::string& SessionLog()
{
    static std::string log;
    return log;
}

void SetStatusDisplay(StatusDisplay display)
{
    Display() = std::move(display);
}

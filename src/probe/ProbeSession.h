#pragma once
// The probe's internet session: with -v it prints every status notification as it arrives,
// one a line on standard error, as "status CODE NAME INFO". A password never shows there.

#include "platform/inet/InternetSession.h"

#include <iosfwd>
#include <string>

class ProbeSession : public CInternetSession {
public:
    ProbeSession(bool verbose, std::ostream& log, std::string password);

    void OnStatusCallback(DWORD_PTR context, std::uint32_t internetStatus, const void* statusInformation,
                          std::uint32_t statusInformationLength) override;

private:
    std::ostream& m_log;
    std::string m_password;
};

// The constant's name without its INTERNET_STATUS_ prefix ("RESOLVING_NAME"), or "UNKNOWN".
const char* StatusName(std::uint32_t internetStatus);
// The information of a notification as printable text: the byte counts of REQUEST_SENT and
// RESPONSE_RECEIVED as numbers, anything else as PrintableText.
std::string StatusInfoText(std::uint32_t internetStatus, const void* information, std::uint32_t length);

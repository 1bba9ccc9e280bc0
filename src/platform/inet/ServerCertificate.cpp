#include "platform/inet/ServerCertificate.h"

#include <cctype>

namespace {
constexpr std::size_t kSha256Bytes = 32;
}  // namespace

std::string DescribeCertificate(const ServerCertificate& certificate)
{
    return "Subject: " + certificate.subject + "\nIssuer: " + certificate.issuer + "\nValid from "
           + certificate.validFrom + " until " + certificate.validUntil + "\nSHA-256 fingerprint: "
           + certificate.sha256;
}

std::optional<std::string> NormalizeFingerprint(std::string_view text)
{
    std::string digits;
    for (char c : text) {
        if (c == ':')
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (digits.size() != 2 * kSha256Bytes)
        return std::nullopt;
    std::string normalized;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        if (i > 0)
            normalized += ':';
        normalized.append(digits, i, 2);
    }
    return normalized;
}

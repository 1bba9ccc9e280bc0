// Fingerprints as users paste them, and the certificate text shown to them.

#include "platform/inet/ServerCertificate.h"

#include <gmock/gmock.h>

namespace {

constexpr const char* kCanonical =
    "AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89";

TEST(ServerCertificateTest, FingerprintIsReadInEveryCommonSpelling)
{
    const struct {
        const char* written;
        bool valid;
    } rows[] = {
        {kCanonical, true},
        {"ab:cd:ef:01:23:45:67:89:ab:cd:ef:01:23:45:67:89:ab:cd:ef:01:23:45:67:89:ab:cd:ef:01:23:45:67:89", true},
        {"abcdef0123456789ABCDEF0123456789abcdef0123456789ABCDEF0123456789", true},
        {"abcdef0123456789ABCDEF0123456789abcdef0123456789ABCDEF012345678", false},     // one digit short
        {"abcdef0123456789ABCDEF0123456789abcdef0123456789ABCDEF01234567890", false},   // one too many
        {"abcdef0123456789ABCDEF0123456789abcdef0123456789ABCDEF012345678g", false},    // not hex
        {"AB CD EF 01 23 45 67 89 AB CD EF 01 23 45 67 89 AB CD EF 01 23 45 67 89 AB CD EF 01 23 45 67 89", false},
        {"", false},
        {"AB:CD", false},   // a SHA-1 or MD5 prefix is not enough
    };
    for (const auto& row : rows) {
        std::optional<std::string> normalized = NormalizeFingerprint(row.written);
        EXPECT_EQ(normalized.has_value(), row.valid) << row.written;
        if (normalized) {
            EXPECT_EQ(*normalized, kCanonical) << row.written;
        }
    }
}

TEST(ServerCertificateTest, DescriptionCarriesEverythingTheUserDecidesOn)
{
    ServerCertificate certificate;
    certificate.subject = "CN=files.example";
    certificate.issuer = "CN=Example CA";
    certificate.validFrom = "Dec  8 13:00:00 2026 GMT";
    certificate.validUntil = "Dec 10 13:00:00 2026 GMT";
    certificate.sha256 = kCanonical;
    const std::string text = DescribeCertificate(certificate);
    for (const std::string& part : {certificate.subject, certificate.issuer, certificate.validFrom,
                                    certificate.validUntil, certificate.sha256})
        EXPECT_THAT(text, testing::HasSubstr(part));
}

} // namespace

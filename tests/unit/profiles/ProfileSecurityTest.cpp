// A profile's choice of security, kept in a key of its own beside the profile values, and the
// certificates the user trusts always, kept per host and port: what a run stores and what the
// next run reads back, from files this program wrote and from older or damaged ones.

#include "ProfileFixture.h"

#include "platform/registry/RegistryBatch.h"
#include "profiles/ProfileText.h"
#include "profiles/TrustedCertificates.h"

#include <gmock/gmock.h>

namespace {

const std::string kSecurityKey = "Software\\Ferrix Software\\Ferrix FTP\\Profile Security\\";
const std::string kTrustKey = "Software\\Ferrix Software\\Ferrix FTP\\Trusted Certificates\\";
// The Lab profile as the older program stored it, Save Password off.
const std::string kLabBytes("Lab\n192.0.2.10\nguest\n\n0\n0\n2121\n0\n1\n/pub\0", 40);
const std::string kFingerprint =
    "0F:1E:2D:3C:4B:5A:69:78:87:96:A5:B4:C3:D2:E1:F0:00:11:22:33:44:55:66:77:88:99:AA:BB:CC:DD:EE:FF";
const std::string kOtherFingerprint =
    "FF:EE:DD:CC:BB:AA:99:88:77:66:55:44:33:22:11:00:F0:E1:D2:C3:B4:A5:96:87:78:69:5A:4B:3C:2D:1E:0F";

std::string Dword(std::uint32_t number)
{
    return {static_cast<char>(number), static_cast<char>(number >> 8), static_cast<char>(number >> 16),
            static_cast<char>(number >> 24)};
}

std::string Bare(std::string fingerprint)
{
    std::erase(fingerprint, ':');
    for (char& c : fingerprint)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return fingerprint;
}

TEST_F(ProfileRunTest, EachChoiceIsStoredApartAndTheProfileValueKeepsItsFortyBytes)
{
    EXPECT_EQ(HostProfile{}.security, ConnectionSecurity::RequireTls) << "a new profile asks for encryption";
    const struct {
        ConnectionSecurity security;
        std::uint32_t stored;
    } cases[] = {{ConnectionSecurity::RequireTls, 0}, {ConnectionSecurity::TlsIfAvailable, 1},
                 {ConnectionSecurity::Plain, 2}};
    for (const auto& c : cases) {
        auto state = StartRun();
        state->profiles.clear();
        auto lab = MakeProfile("Lab");
        lab->savePassword = 0;
        lab->security = c.security;
        state->profiles["Lab"] = std::move(lab);
        state->profileStore.SetModified(1);
        EndRun(*state);

        EXPECT_EQ(StoredValue(kProfileKey, "Lab"), kLabBytes);
        DWORD type = 0;
        EXPECT_EQ(StoredValue(kSecurityKey, "Lab", &type), Dword(c.stored));
        EXPECT_EQ(type, REG_DWORD);
        EXPECT_EQ(StartRun()->profiles.at("Lab")->security, c.security);
    }
}

TEST_F(ProfileRunTest, OlderProfileReadsAsIfAvailableAndKeepsItsBytesThroughASave)
{
    PutVersion(kStoreFormatVersion);
    PutValue(kProfileKey, "Lab", kLabBytes);
    auto state = StartRun();
    ASSERT_EQ(state->profiles.count("Lab"), 1u);
    EXPECT_EQ(state->profiles.at("Lab")->security, ConnectionSecurity::TlsIfAvailable);
    EndRun(*state);
    EXPECT_EQ(StoredNames(kSecurityKey), std::vector<std::string>{}) << "nothing written while nothing changed";

    state = StartRun();
    state->profileStore.SetModified(1);
    EndRun(*state);
    EXPECT_EQ(StoredValue(kProfileKey, "Lab"), kLabBytes);
    EXPECT_EQ(StoredValue(kSecurityKey, "Lab"), Dword(1));
    EXPECT_EQ(StartRun()->profiles.at("Lab")->security, ConnectionSecurity::TlsIfAvailable);
}

TEST_F(ProfileRunTest, RenamedProfileTakesItsChoiceAlongAndADeletedOneLeavesNone)
{
    auto state = StartRun();
    state->profiles.clear();
    state->profiles["Old name"] = MakeProfile("Old name");
    state->profiles["Old name"]->security = ConnectionSecurity::Plain;
    state->profiles["Gone"] = MakeProfile("Gone");
    state->profileStore.SetModified(1);
    EndRun(*state);
    EXPECT_EQ(StoredNames(kSecurityKey), (std::vector<std::string>{"Gone", "Old name"}));

    state = StartRun();
    auto node = state->profiles.extract("Old name");
    node.key() = "New name";
    node.mapped()->name = "New name";
    state->profiles.insert(std::move(node));
    state->profiles.erase("Gone");
    state->profileStore.SetModified(1);
    EndRun(*state);

    EXPECT_EQ(StoredNames(kSecurityKey), std::vector<std::string>{"New name"});
    EXPECT_EQ(StoredNames(kProfileKey), std::vector<std::string>{"New name"});
    EXPECT_EQ(StartRun()->profiles.at("New name")->security, ConnectionSecurity::Plain);
}

TEST_F(ProfileRunTest, ChoiceThatCannotBeReadMeansRequire)
{
    const struct {
        std::string data;
        DWORD type;
    } damaged[] = {{Dword(2), REG_BINARY}, {Dword(2).substr(0, 3), REG_DWORD}, {Dword(3), REG_DWORD},
                   {Dword(2) + "x", REG_DWORD}};
    for (const auto& c : damaged) {
        PutVersion(kStoreFormatVersion);
        PutValue(kProfileKey, "Lab", kLabBytes);
        PutValue(kSecurityKey, "Lab", c.data, c.type);
        EXPECT_EQ(StartRun()->profiles.at("Lab")->security, ConnectionSecurity::RequireTls) << c.data.size();
    }
}

TEST_F(ProfileRunTest, TrustedFingerprintIsKeptPerHostAndPortAcrossRuns)
{
    auto state = StartRun();
    EXPECT_EQ(TrustedFingerprint(*state, "ftp.example.org", 21), std::nullopt);
    EXPECT_EQ(TrustFingerprint(*state, "FTP.Example.ORG", 21, Bare(kFingerprint)), "");
    EXPECT_EQ(TrustFingerprint(*state, "::1", 990, kOtherFingerprint), "");

    state = StartRun();   // as after a restart
    EXPECT_EQ(TrustedFingerprint(*state, "ftp.example.org", 21), kFingerprint);
    EXPECT_EQ(TrustedFingerprint(*state, "ftp.example.org", 2121), std::nullopt);
    EXPECT_EQ(TrustedFingerprint(*state, "::1", 990), kOtherFingerprint);
    DWORD type = 0;
    EXPECT_EQ(StoredValue(kTrustKey, "ftp.example.org:21", &type), kFingerprint + std::string(1, '\0'));
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_THAT(StoredNames(kTrustKey), testing::UnorderedElementsAre("[::1]:990", "ftp.example.org:21"));

    // A new certificate the user trusts replaces the old one; text that is no fingerprint is refused.
    EXPECT_EQ(TrustFingerprint(*state, "ftp.example.org", 21, kOtherFingerprint), "");
    EXPECT_EQ(TrustedFingerprint(*state, "ftp.example.org", 21), kOtherFingerprint);
    EXPECT_NE(TrustFingerprint(*state, "ftp.example.org", 21, "AB:CD"), "");
    EXPECT_EQ(TrustedFingerprint(*state, "ftp.example.org", 21), kOtherFingerprint);
    EXPECT_EQ(StoredNames(kTrustKey).size(), 2u);
}

TEST_F(ProfileRunTest, DamagedTrustedFingerprintIsIgnored)
{
    const struct {
        std::string data;
        DWORD type;
    } damaged[] = {{"not a fingerprint", REG_BINARY},
                   {kFingerprint.substr(0, 40) + std::string(1, '\0'), REG_BINARY},
                   {Dword(7), REG_DWORD},
                   {std::string(1, '\0') + kFingerprint, REG_BINARY}};
    for (const auto& c : damaged) {
        PutValue(kTrustKey, "ftp.example.org:21", c.data, c.type);
        EXPECT_EQ(TrustedFingerprint(*StartRun(), "ftp.example.org", 21), std::nullopt) << c.data;
    }
    // Without a final NUL the text is read within its length.
    PutValue(kTrustKey, "ftp.example.org:21", Bare(kFingerprint));
    EXPECT_EQ(TrustedFingerprint(*StartRun(), "ftp.example.org", 21), kFingerprint);
}

TEST_F(ProfileRunTest, TrustedHostsAreBounded)
{
    auto state = StartRun();
    {
        RegistryBatch batch;
        for (std::size_t i = 0; i < kMaxTrustedCertificates; ++i)
            PutValue(kTrustKey, "host" + std::to_string(i) + ".example:21", kFingerprint + std::string(1, '\0'));
        ASSERT_EQ(batch.Commit(), ERROR_SUCCESS);
    }
    const std::string refused = TrustFingerprint(*state, "one-more.example", 21, kFingerprint);
    EXPECT_NE(refused.find(std::to_string(kMaxTrustedCertificates)), std::string::npos) << refused;
    EXPECT_EQ(TrustedFingerprint(*state, "one-more.example", 21), std::nullopt);
    // A host already trusted may still change its certificate.
    EXPECT_EQ(TrustFingerprint(*state, "host7.example", 21, kOtherFingerprint), "");
    EXPECT_EQ(TrustedFingerprint(*state, "host7.example", 21), kOtherFingerprint);
}

} // namespace

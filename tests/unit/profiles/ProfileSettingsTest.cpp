#include "ProfileFixture.h"

#include "profiles/Defaults.h"
#include "profiles/ProfileText.h"

#include <sys/stat.h>

namespace {

TEST_F(ProfileRunTest, FirstRunListsDefaultProfileAndStoresOnlyTheSettings)
{
    auto state = StartRun();
    ASSERT_EQ(state->profiles.size(), 1u);
    const HostProfile& profile = *state->profiles.at(kDefaultProfileName);
    EXPECT_EQ(profile.name, "GNU FTP Archive");
    EXPECT_EQ(profile.host, "ftp.gnu.org");
    EXPECT_EQ(profile.user, "anonymous");
    EXPECT_EQ(profile.password, kDefaultEmail);
    EXPECT_EQ(std::string(kDefaultEmail), "guest@example.com");
    EXPECT_EQ(profile.savePassword, 1);
    EXPECT_EQ(profile.anonymous, 1);
    EXPECT_EQ(profile.port, 21);
    EXPECT_EQ(profile.useDefaultPort, 1);
    EXPECT_EQ(profile.passive, 0);
    EXPECT_EQ(profile.initialDir, "");
    EXPECT_EQ(state->profileStore.modified, 0);
    EndRun(*state);

    EXPECT_EQ(StoredValue(kSettingKey, "Setting"), std::string("\n\n\n0\n0\n0\0", 9));
    EXPECT_EQ(StoredValue(kSettingKey, "Version"), std::string("\xCA\0\0\0", 4));
    EXPECT_TRUE(StoredNames(kProfileKey).empty());
    std::string file = FileText();
    EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Software\\Ferrix Software\\Ferrix FTP\\User Profiles]\n\n"),
              std::string::npos);
    EXPECT_NE(file.find("\"Setting\"=hex:0a,0a,0a,30,0a,30,0a,30,00\n\"Version\"=hex:ca,00,00,00\n"),
              std::string::npos);
}

TEST_F(ProfileRunTest, LabProfileIsStoredAsItsFortyBytes)
{
    auto state = StartRun();
    state->profiles.clear();
    auto lab = MakeProfile("Lab");
    lab->savePassword = 0;
    state->profiles["Lab"] = std::move(lab);
    state->profileStore.SetModified(1);
    EndRun(*state);

    DWORD type = 0;
    std::string stored = StoredValue(kProfileKey, "Lab", &type);
    EXPECT_EQ(stored, std::string("Lab\n192.0.2.10\nguest\n\n0\n0\n2121\n0\n1\n/pub\0", 40));
    EXPECT_EQ(stored.size(), 40u);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(StoredNames(kProfileKey), std::vector<std::string>{"Lab"});
}

TEST_F(ProfileRunTest, ProfilesAndSettingsSurviveARestart)
{
    auto state = StartRun();
    state->profiles["Lab"] = MakeProfile("Lab");
    state->profileStore.SetModified(1);
    state->lastProfileName = {"Lab", "GNU FTP Archive"};
    state->email = "me@example.org";
    state->arrangeBy = 2;
    state->connectionType = 1;
    state->transferType = 1;
    EndRun(*state);

    auto next = StartRun();
    ASSERT_EQ(next->profiles.size(), 2u);
    const HostProfile& lab = *next->profiles.at("Lab");
    EXPECT_EQ(lab.host, "192.0.2.10");
    EXPECT_EQ(lab.password, "secret");
    EXPECT_EQ(lab.port, 2121);
    EXPECT_EQ(lab.useDefaultPort, 0);
    EXPECT_EQ(lab.passive, 1);
    EXPECT_EQ(lab.initialDir, "/pub");
    EXPECT_EQ(next->profiles.at("GNU FTP Archive")->password, kDefaultEmail);
    EXPECT_EQ(next->lastProfileName[0], "Lab");
    EXPECT_EQ(next->lastProfileName[1], "GNU FTP Archive");
    EXPECT_EQ(next->email, "me@example.org");
    EXPECT_EQ(next->arrangeBy, 2);
    EXPECT_EQ(next->connectionType, 1);
    EXPECT_EQ(next->transferType, 1);
}

TEST_F(ProfileRunTest, PasswordNotSavedReadsBackEmpty)
{
    auto state = StartRun();
    auto profile = MakeProfile("Work");
    profile->savePassword = 0;
    state->profiles["Work"] = std::move(profile);
    state->profileStore.SetModified(1);
    EndRun(*state);

    EXPECT_EQ(StoredValue(kProfileKey, "Work").find("guest\n\n0\n"), std::string("Work\n192.0.2.10\n").size());
    auto next = StartRun();
    EXPECT_EQ(next->profiles.at("Work")->password, "");
    EXPECT_EQ(next->profiles.at("Work")->savePassword, 0);
}

TEST_F(ProfileRunTest, PortMinusOneKeepsItsSixteenBits)
{
    auto state = StartRun();
    auto high = MakeProfile("High");
    high->port = -1;
    state->profiles["High"] = std::move(high);
    auto plain = MakeProfile("Plain");
    plain->port = 21;
    state->profiles["Plain"] = std::move(plain);
    state->profileStore.SetModified(1);
    EndRun(*state);

    EXPECT_EQ(StoredValue(kProfileKey, "High"), Bytes("High\n192.0.2.10\nguest\nsecret\n1\n0\n-1\n0\n1\n/pub"));
    EXPECT_EQ(StoredValue(kProfileKey, "Plain"), Bytes("Plain\n192.0.2.10\nguest\nsecret\n1\n0\n21\n0\n1\n/pub"));
    auto next = StartRun();
    EXPECT_EQ(next->profiles.at("High")->port, -1);
    EXPECT_EQ(static_cast<std::uint16_t>(next->profiles.at("High")->port), 65535);
    EXPECT_EQ(next->profiles.at("Plain")->port, 21);
}

TEST_F(ProfileRunTest, NamesDifferingOnlyInCaseEndAsOneValue)
{
    auto state = StartRun();
    state->profiles["Lab"] = MakeProfile("Lab");
    state->profiles["lab"] = MakeProfile("lab");
    state->profileStore.SetModified(1);
    EndRun(*state);

    EXPECT_EQ(StoredNames(kProfileKey).size(), 2u);   // the default profile and one of the two
    auto next = StartRun();
    EXPECT_EQ(next->profiles.size(), 2u);
    ASSERT_EQ(next->profiles.count("Lab"), 1u);
    EXPECT_EQ(next->profiles.count("lab"), 0u);
    // The later write replaced the data; the value keeps the first spelling.
    EXPECT_EQ(next->profiles.at("Lab")->name, "lab");
}

TEST_F(ProfileRunTest, ForeignValuesReadAtStartAreDeletedAtExit)
{
    PutVersion(kStoreFormatVersion);
    PutValue(kSettingKey, "Window Position", "10,10");
    PutValue(kProfileKey, "Old", Bytes("Old\nold.example\nu\n\n0\n0\n21\n1\n0\n"));
    auto state = StartRun();
    ASSERT_EQ(state->profiles.count("Old"), 1u);
    EndRun(*state);

    EXPECT_EQ(StoredNames(kSettingKey), (std::vector<std::string>{"Setting", "Version"}));
    // Without a change to the profiles their key is left as it was.
    EXPECT_EQ(StoredNames(kProfileKey), std::vector<std::string>{"Old"});

    state = StartRun();
    state->profiles.erase("Old");
    state->profiles["New"] = MakeProfile("New");
    state->profileStore.SetModified(1);
    EndRun(*state);
    EXPECT_EQ(StoredNames(kProfileKey), std::vector<std::string>{"New"});
}

TEST_F(ProfileRunTest, DeletingEveryProfileBringsBackTheDefault)
{
    PutVersion(kStoreFormatVersion);
    PutValue(kProfileKey, "Only", Bytes("Only\nh\nu\n\n0\n0\n21\n1\n0\n"));
    auto state = StartRun();
    state->profiles.clear();
    state->profileStore.SetModified(1);
    EndRun(*state);

    EXPECT_TRUE(StoredNames(kProfileKey).empty());
    auto next = StartRun();
    ASSERT_EQ(next->profiles.size(), 1u);
    EXPECT_EQ(next->profiles.count(kDefaultProfileName), 1u);
}

TEST_F(ProfileRunTest, HandEditedValueIsListedUnderItsValueName)
{
    PutVersion(kStoreFormatVersion);
    PutValue(kProfileKey, "Work", Bytes("Home\nhome.example\nme\n\n0\n0\n21\n1\n0\n/srv"));
    auto state = StartRun();
    ASSERT_EQ(state->profiles.count("Work"), 1u);
    EXPECT_EQ(state->profiles.at("Work")->name, "Home");
    EXPECT_EQ(state->profiles.at("Work")->host, "home.example");
    EXPECT_EQ(state->profiles.at("Work")->initialDir, "/srv");
}

TEST_F(ProfileRunTest, SettingWithFewerFieldsGivesEmptyAndZero)
{
    PutVersion(kStoreFormatVersion);
    PutValue(kSettingKey, "Setting", Bytes("Upper\nLower"));
    auto before = std::make_unique<ProfileState>();
    before->email = "kept@example.org";
    before->transferType = 1;
    auto state = StartRun(std::move(before));
    EXPECT_EQ(state->lastProfileName[0], "Upper");
    EXPECT_EQ(state->lastProfileName[1], "Lower");
    EXPECT_EQ(state->email, "");
    EXPECT_EQ(state->arrangeBy, 0);
    EXPECT_EQ(state->connectionType, 0);
    EXPECT_EQ(state->transferType, 0);
}

TEST_F(ProfileRunTest, SettingWithoutFinalNulIsReadWithinItsLength)
{
    PutVersion(kStoreFormatVersion);
    PutValue(kSettingKey, "Setting", "A\nB\nmail\n1\n1\n1");
    auto state = StartRun();
    EXPECT_EQ(state->email, "mail");
    EXPECT_EQ(state->transferType, 1);
}

TEST_F(ProfileRunTest, OutOfRangeStoredOptionsReadAsZero)
{
    PutVersion(kStoreFormatVersion);
    PutValue(kSettingKey, "Setting", Bytes("a\nb\nc\n3\n2\n-5"));
    auto state = StartRun();
    EXPECT_EQ(state->arrangeBy, 0);
    EXPECT_EQ(state->connectionType, 0);
    EXPECT_EQ(state->transferType, 0);
}

TEST_F(ProfileRunTest, SettingValueNameMustMatchExactly)
{
    PutVersion(kStoreFormatVersion);
    PutValue(kSettingKey, "SETTING", Bytes("Upper\nLower\nmail\n1\n1\n1"));
    auto state = StartRun();
    EXPECT_EQ(state->lastProfileName[0], "");
    EXPECT_EQ(state->email, "");
}

TEST_F(ProfileRunTest, LongInitialDirectoryLoadsAndSoDoProfilesAfterIt)
{
    auto state = StartRun();
    state->profiles.clear();
    auto deep = MakeProfile("A Deep One");
    deep->initialDir = "/" + std::string(600, 'd') + "/end";
    state->profiles["A Deep One"] = std::move(deep);
    state->profiles["B After"] = MakeProfile("B After");
    state->profiles["C Last"] = MakeProfile("C Last");
    state->profileStore.SetModified(1);
    EndRun(*state);

    EXPECT_GT(StoredValue(kProfileKey, "A Deep One").size(), 600u);
    auto next = StartRun();
    ASSERT_EQ(next->profiles.size(), 3u);
    EXPECT_EQ(next->profiles.at("A Deep One")->initialDir, "/" + std::string(600, 'd') + "/end");
    EXPECT_EQ(next->profiles.at("C Last")->initialDir, "/pub");
}

TEST_F(ProfileRunTest, RegistryFileStaysOwnerOnly)
{
    mode_t old = ::umask(0);
    auto state = StartRun();
    state->profiles["Lab"] = MakeProfile("Lab");
    state->profileStore.SetModified(1);
    EndRun(*state);
    ::umask(old);
    struct stat info {};
    ASSERT_EQ(::stat(FilePath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Stored with every field present; what is read depends on the stored format version.
struct VersionCase {
    int version;   // -1: no "Version" value
    bool connectionFields;
    bool initialDir;
    bool transferType;
};

class ProfileVersionTest : public ProfileRunTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(ProfileVersionTest, ReadsOnlyTheFieldsOfTheStoredVersion)
{
    const VersionCase c = GetParam();
    if (c.version >= 0)
        PutVersion(static_cast<std::uint32_t>(c.version));
    PutValue(kSettingKey, "Setting", Bytes("Up\nDown\nmail@example.org\n1\n1\n1"));
    PutValue(kProfileKey, "P", Bytes("P\nhost\nuser\npw\n1\n0\n2121\n0\n1\n/dir"));
    auto state = StartRun();

    EXPECT_EQ(state->lastProfileName[0], "Up");
    EXPECT_EQ(state->lastProfileName[1], "Down");
    EXPECT_EQ(state->email, "mail@example.org");
    EXPECT_EQ(state->arrangeBy, 1);
    EXPECT_EQ(state->connectionType, 1);
    EXPECT_EQ(state->transferType, c.transferType ? 1 : 0);

    const HostProfile& p = *state->profiles.at("P");
    EXPECT_EQ(p.host, "host");
    EXPECT_EQ(p.user, "user");
    EXPECT_EQ(p.password, "pw");
    EXPECT_EQ(p.savePassword, 1);
    EXPECT_EQ(p.anonymous, 0);
    EXPECT_EQ(p.port, c.connectionFields ? 2121 : 21);
    EXPECT_EQ(p.useDefaultPort, c.connectionFields ? 0 : 1);
    EXPECT_EQ(p.passive, c.connectionFields ? 1 : 0);
    EXPECT_EQ(p.initialDir, c.initialDir ? "/dir" : "");
}

INSTANTIATE_TEST_SUITE_P(StoredVersions, ProfileVersionTest,
                         ::testing::Values(VersionCase{-1, false, false, false}, VersionCase{10, false, false, false},
                                           VersionCase{11, true, false, false}, VersionCase{12, true, true, false},
                                           VersionCase{20, true, true, false}, VersionCase{21, true, true, true},
                                           VersionCase{202, true, true, true}),
                         [](const ::testing::TestParamInfo<VersionCase>& info) {
                             return info.param.version < 0 ? std::string("NoVersion")
                                                           : "Version" + std::to_string(info.param.version);
                         });

} // namespace

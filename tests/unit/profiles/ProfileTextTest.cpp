#include "profiles/ProfileState.h"
#include "profiles/ProfileText.h"

#include <gtest/gtest.h>

namespace {

HostProfile Lab()
{
    HostProfile lab;
    lab.name = "Lab";
    lab.host = "192.0.2.10";
    lab.user = "guest";
    lab.password = "not saved";
    lab.savePassword = 0;
    lab.anonymous = 0;
    lab.port = 2121;
    lab.useDefaultPort = 0;
    lab.passive = 1;
    lab.initialDir = "/pub";
    return lab;
}

TEST(ProfileText, LabProfileIsItsTenFields)
{
    EXPECT_EQ(FormatProfileText(Lab()), "Lab\n192.0.2.10\nguest\n\n0\n0\n2121\n0\n1\n/pub");
}

TEST(ProfileText, SavedPasswordIsWrittenAndReadBack)
{
    HostProfile profile = Lab();
    profile.savePassword = 1;
    profile.password = "pw";
    std::string text = FormatProfileText(profile);
    EXPECT_EQ(text, "Lab\n192.0.2.10\nguest\npw\n1\n0\n2121\n0\n1\n/pub");
    HostProfile back = ParseProfileText(text.c_str(), text.size() + 1, kStoreFormatVersion);
    EXPECT_EQ(back.password, "pw");
    EXPECT_EQ(back.savePassword, 1);
    EXPECT_EQ(back.initialDir, "/pub");
}

TEST(ProfileText, PortKeepsItsSixteenBits)
{
    HostProfile profile = Lab();
    profile.port = -1;
    std::string text = FormatProfileText(profile);
    EXPECT_NE(text.find("\n-1\n"), std::string::npos);
    HostProfile back = ParseProfileText(text.c_str(), text.size(), kStoreFormatVersion);
    EXPECT_EQ(static_cast<std::uint16_t>(back.port), 65535);

    const char wide[] = "n\nh\nu\n\n0\n0\n65536021\n0\n0\n";
    // 65536021 = 0x3E80015: the low 16 bits are port 21.
    EXPECT_EQ(ParseProfileText(wide, sizeof wide, kStoreFormatVersion).port, 21);
}

TEST(ProfileText, LineBreaksInFieldsCannotShiftTheOthers)
{
    HostProfile profile = Lab();
    profile.host = "bad\nhost";
    profile.initialDir = std::string("/a\0b", 4);
    std::string text = FormatProfileText(profile);
    HostProfile back = ParseProfileText(text.c_str(), text.size() + 1, kStoreFormatVersion);
    EXPECT_EQ(back.host, "badhost");
    EXPECT_EQ(back.user, "guest");
    EXPECT_EQ(back.port, 2121);
    EXPECT_EQ(back.initialDir, "/ab");
}

TEST(ProfileText, OldFormatsLoadWithConnectionDefaults)
{
    const std::string text = "n\nh\nu\npw\n1\n1\n2121\n0\n1\n/dir";
    HostProfile v10 = ParseProfileText(text.c_str(), text.size(), 10);
    EXPECT_EQ(v10.password, "pw");
    EXPECT_EQ(v10.anonymous, 1);
    EXPECT_EQ(v10.port, 21);
    EXPECT_EQ(v10.useDefaultPort, 1);
    EXPECT_EQ(v10.passive, 0);
    EXPECT_EQ(v10.initialDir, "");
    HostProfile v11 = ParseProfileText(text.c_str(), text.size(), 11);
    EXPECT_EQ(v11.port, 2121);
    EXPECT_EQ(v11.useDefaultPort, 0);
    EXPECT_EQ(v11.passive, 1);
    EXPECT_EQ(v11.initialDir, "");
    EXPECT_EQ(ParseProfileText(text.c_str(), text.size(), 12).initialDir, "/dir");
}

TEST(SettingText, FirstRunSettingsAreThreeEmptyFieldsAndThreeZeros)
{
    ProfileState state;
    EXPECT_EQ(FormatSettingText(state), "\n\n\n0\n0\n0");
}

TEST(SettingText, FieldsRoundTripAndOutOfRangeNumbersReadAsZero)
{
    ProfileState state;
    state.lastProfileName = {"Upper", "Lower"};
    state.email = "me@example.org";
    state.arrangeBy = 2;
    state.connectionType = 1;
    state.transferType = 1;
    std::string text = FormatSettingText(state);
    EXPECT_EQ(text, "Upper\nLower\nme@example.org\n2\n1\n1");

    ProfileState back;
    ParseSettingText(back, text.c_str(), text.size(), kStoreFormatVersion);
    EXPECT_EQ(back.lastProfileName[0], "Upper");
    EXPECT_EQ(back.lastProfileName[1], "Lower");
    EXPECT_EQ(back.email, "me@example.org");
    EXPECT_EQ(back.arrangeBy, 2);
    EXPECT_EQ(back.connectionType, 1);
    EXPECT_EQ(back.transferType, 1);

    const std::string wild = "a\nb\nc\n3\n-1\n2";
    ParseSettingText(back, wild.c_str(), wild.size(), kStoreFormatVersion);
    EXPECT_EQ(back.arrangeBy, 0);
    EXPECT_EQ(back.connectionType, 0);
    EXPECT_EQ(back.transferType, 0);
}

} // namespace

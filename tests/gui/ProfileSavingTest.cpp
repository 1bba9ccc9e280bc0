// The profiles and settings reach the registry file as soon as a dialog that changed them
// closes with OK, through the real dialogs; a file that cannot be written is named in a message.

#include "DialogDriving.h"

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFile.h"
#include "platform/ui/MessageBox.h"
#include "profiles/ConnectDlg.h"
#include "profiles/HostProfileSheet.h"
#include "profiles/OptionSheet.h"
#include "profiles/ProfileDialogIds.h"
#include "profiles/ProfileSettings.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

class ProfileSavingTest : public testing::Test {
protected:
    ProfileSavingTest()
        : m_env("FERRIX_REGISTRY", File()),
          m_messages([this](const std::string& text, long) {
              messages.push_back(text);
              return wxOK;
          })
    {
        RegistryReload();
        ReadVersionStrings(state);
        LoadProfiles(state);
    }
    ~ProfileSavingTest() override { RegistryReload(); }

    std::string File() const { return (m_dir.Path() / "registry.reg").string(); }

    // A stored value as a restart would read it from the file: "<none>" when it is not there.
    std::string StoredValue(const char* section, const std::string& name) const
    {
        std::ifstream in(File(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        RegistryNode root("HKEY_CURRENT_USER");
        if (!ParseRegistryFile(text.str(), root))
            return "<unreadable>";
        std::string path;
        GetRegistryPath(state, path, section, {});
        RegistryNode* key = FindKey(root, SplitKeyPath(path));
        const RegistryValue* value = key ? key->FindValue(name) : nullptr;
        return value ? std::string(value->data.begin(), value->data.end()) : "<none>";
    }

    bool OptionSheetOk(const std::string& email)
    {
        ScopedDialogAnswerer answerer([&](wxDialog* dialog) -> int {
            auto* sheet = dynamic_cast<COptionSheet*>(dialog);
            if (!sheet)
                return wxID_CANCEL;
            sheet->InitDialog();
            ChooseTab(sheet->GetBookCtrl(), 2);
            TypeText(sheet, IDC_EMAIL, email);
            ClickButton(sheet, wxID_OK);
            return sheet->GetReturnCode();
        });
        return RunOptionSheet(nullptr, state);
    }

    TempDir m_dir;
    ScopedEnv m_env;
    ProfileState state;
    std::vector<std::string> messages;

private:
    ScopedMessageBoxAnswerer m_messages;
};

TEST_F(ProfileSavingTest, ProfileAddedAndOptionsChangedAreInTheFileBeforeTheDialogsAreGone)
{
    auto dialog = std::make_unique<CConnectDlg>(nullptr, state);
    dialog->regionIndex = 1;
    dialog->Show();
    PumpEvents();
    {
        ScopedDialogAnswerer answerer([](wxDialog* opened) -> int {
            auto* sheet = dynamic_cast<CHostProfileSheet*>(opened);
            if (!sheet)
                return wxID_CANCEL;
            sheet->InitDialog();
            TypeText(sheet, IDC_PROFILE_NAME, "Saved At Once");
            TypeText(sheet, IDC_HOST, "192.0.2.7");
            ClickButton(sheet, wxID_OK);
            return sheet->GetReturnCode();
        });
        ClickButton(dialog.get(), IDC_ADD);
    }
    // The sheet closed with OK: a crash now would lose nothing.
    EXPECT_EQ(StoredValue(kProfileSection, "Saved At Once").substr(0, 24), "Saved At Once\n192.0.2.7\n");

    SelectEntry(dialog->profileList, static_cast<int>(dialog->profileList->FindString("Saved At Once")));
    ClickButton(dialog.get(), wxID_OK);
    EXPECT_EQ(StoredValue(kSettingSection, kSettingValueName).substr(0, 15), "\nSaved At Once\n");
    dialog.reset();

    OptionSheetOk("saved@example.org");
    EXPECT_NE(StoredValue(kSettingSection, kSettingValueName).find("\nsaved@example.org\n"), std::string::npos);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProfileSavingTest, FileThatCannotBeWrittenIsNamedWithTheReason)
{
    // Something that is no regular file in the file's place: refused whoever runs the test.
    std::filesystem::remove(File());
    ASSERT_EQ(::mkfifo(File().c_str(), 0600), 0);
    RegistryReload();
    OptionSheetOk("lost@example.org");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(File()), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("not a regular file"), std::string::npos) << messages[0];
    EXPECT_EQ(state.email, "lost@example.org");
}

} // namespace

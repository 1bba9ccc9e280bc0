// The About box's lines, and the help commands: Help Topics, F1 and context help open the
// program's guide at the page that fits.

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "app/ProgramHelp.h"
#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/DriveMap.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/aui/auibar.h>
#include <wx/button.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/stattext.h>

#include <filesystem>
#include <regex>
#include <string>

#include <sys/statvfs.h>

namespace {

class AboutAndHelpTest : public testing::Test {
protected:
    void SetUp() override
    {
        drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str() + ";D=" + gone.string());
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (drive.Path() / "registry.reg").string());
        std::filesystem::create_directories(gone);
        localfs::ReloadDriveMap();
        frame = &StartApplication();
    }

    void TearDown() override
    {
        StopApplication();
        std::filesystem::current_path(startFolder);
        drives.reset();
        registry.reset();
        localfs::ReloadDriveMap();
    }

    struct AboutLines {
        std::string title, version, memory, disk;
        int staticLines = 0;
        bool okIsDefault = false;
    };

    // Runs the About command; the box is read as it would show, then closed with OK.
    AboutLines RunAbout()
    {
        AboutLines lines;
        ScopedDialogAnswerer answerer([&](wxDialog* dialog) {
            auto* about = dynamic_cast<CAboutDlg*>(dialog);
            if (!about)
                return wxID_CANCEL;
            about->InitDialog();
            auto text = [&](int id) {
                auto* line = dynamic_cast<wxStaticText*>(about->FindWindow(id));
                return line ? line->GetLabel().utf8_string() : std::string("<missing>");
            };
            lines.title = about->GetTitle().utf8_string();
            lines.version = text(CAboutDlg::IDC_VERSION);
            lines.memory = text(CAboutDlg::IDC_MEMORY);
            lines.disk = text(CAboutDlg::IDC_DISK);
            for (wxWindow* child : about->GetChildren())
                if (dynamic_cast<wxStaticText*>(child) && !child->GetLabel().empty())
                    ++lines.staticLines;
            auto* ok = dynamic_cast<wxButton*>(about->FindWindow(wxID_OK));
            lines.okIsDefault = ok && about->GetDefaultItem() == ok;
            return wxID_OK;
        });
        SendCommand(*frame, ID_APP_ABOUT);
        return lines;
    }

    // The page the help viewer shows, by file name ("browsing.html"), or "" when it is closed.
    std::string ShownHelpPage()
    {
        PumpEvents();
        wxHtmlHelpController* help = GetHelpController();
        if (!help || !help->GetFrame() || !help->GetFrame()->IsShown() || !help->GetHelpWindow())
            return {};
        const std::string page = help->GetHelpWindow()->GetHtmlWindow()->GetOpenedPage().utf8_string();
        return page.substr(page.find_last_of('/') + 1);
    }

    std::filesystem::path startFolder = std::filesystem::current_path();
    TempDir drive;
    TempDir scratch;
    std::filesystem::path gone = scratch.Path() / "gone";
    std::unique_ptr<ScopedEnv> drives;
    std::unique_ptr<ScopedEnv> registry;
    CMainFrame* frame = nullptr;
};

TEST_F(AboutAndHelpTest, AboutBoxShowsVersionFreeMemoryAndTheCurrentDrive)
{
    ASSERT_TRUE(localfs::SetCurrentDirectory("C:/"));
    AboutLines lines = RunAbout();
    EXPECT_EQ(lines.title, "About Ferrix FTP");
    EXPECT_EQ(lines.version, "Ferrix FTP Version 2.02");
    EXPECT_TRUE(std::regex_match(lines.memory, std::regex("[0-9]+ KB free memory available"))) << lines.memory;
    std::smatch disk;
    ASSERT_TRUE(std::regex_match(lines.disk, disk, std::regex("([0-9]+) KB Free on C:"))) << lines.disk;
    struct statvfs status {};
    ASSERT_EQ(::statvfs(drive.Str().c_str(), &status), 0);
    const double expected = static_cast<double>(status.f_bavail) * status.f_frsize / 1024;
    EXPECT_NEAR(std::stod(disk[1]), expected, expected * 0.05 + 65536);
    // Version, three publisher lines, memory and disk.
    EXPECT_EQ(lines.staticLines, 6);
    EXPECT_TRUE(lines.okIsDefault);

    // The current drive is the one of the current directory; a drive whose folder has gone
    // cannot be measured.
    ASSERT_TRUE(localfs::SetCurrentDirectory("D:/"));
    lines = RunAbout();
    EXPECT_TRUE(std::regex_match(lines.disk, std::regex("[0-9]+ KB Free on D:"))) << lines.disk;
    std::filesystem::current_path(startFolder);
    std::filesystem::remove(gone);
    lines = RunAbout();
    EXPECT_EQ(lines.disk, "Unavailable");
}

TEST_F(AboutAndHelpTest, HelpCommandsOpenTheGuideAtThePageThatFits)
{
    EXPECT_EQ(ShownHelpPage(), "");
    SendCommand(*frame, ID_HELP_FINDER);
    EXPECT_EQ(ShownHelpPage(), "index.html");
    EXPECT_TRUE(GetHelpController()->GetFrame()->GetTitle().StartsWith("Ferrix FTP Help"));

    // F1: the page about the pane the user works in.
    frame->SetActiveView(frame->GetPane(1, 0));
    SendCommand(*frame, ID_HELP);
    EXPECT_EQ(ShownHelpPage(), "browsing.html");

    // The user closes the viewer; it opens again on the next request.
    GetHelpController()->GetFrame()->Close();
    EXPECT_EQ(ShownHelpPage(), "");

    // Shift+F1 or the toolbar's help button: the next click names what help is wanted for and
    // does nothing else.
    SendCommand(*frame, ID_CONTEXT_HELP);
    ASSERT_TRUE(InContextHelp());
    EXPECT_TRUE(frame->HasCapture());
    wxAuiToolBar* toolBar = nullptr;
    for (wxWindow* child : frame->GetChildren())
        if (auto* bar = dynamic_cast<wxAuiToolBar*>(child))
            toolBar = bar;
    ASSERT_NE(toolBar, nullptr);
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetPosition(frame->ScreenToClient(toolBar->ClientToScreen(wxPoint(toolBar->GetSize().x - 4, 4))));
    click.SetEventObject(frame);
    frame->ProcessWindowEvent(click);
    EXPECT_FALSE(InContextHelp());
    EXPECT_FALSE(frame->HasCapture());
    EXPECT_EQ(ShownHelpPage(), "commands.html");

    // Escape leaves context help without showing anything new.
    SendCommand(*frame, ID_CONTEXT_HELP);
    ASSERT_TRUE(InContextHelp());
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(frame);
    frame->ProcessWindowEvent(escape);
    EXPECT_FALSE(InContextHelp());
    EXPECT_FALSE(frame->HasCapture());
    EXPECT_EQ(ShownHelpPage(), "commands.html");

    // The viewer goes with the main window.
    StopApplication();
    EXPECT_EQ(GetHelpController(), nullptr);
}

} // namespace

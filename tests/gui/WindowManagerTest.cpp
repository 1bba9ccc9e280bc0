// The main window under a real window manager (openbox, started on an X server of the test's
// own by support/with-window-manager.sh): dialogs and message boxes come up on top of the
// window they belong to, the layout survives the manager's sizing and a restart, and real clicks
// reach the Connect dialog's list.

#include "DialogDriving.h"

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "platform/localfs/DriveMap.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "profiles/ConnectDlg.h"
#include "profiles/HostProfileSheet.h"
#include "profiles/ProfileDialogIds.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/GuiTest.h"
#include "support/MouseInput.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/aui/aui.h>
#include <wx/display.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

std::string RunCommand(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    return output;
}

// The managed windows, bottom to top, as the window manager stacks them.
std::vector<std::string> Stacking()
{
    const std::string text = RunCommand("xprop -root _NET_CLIENT_LIST_STACKING");
    std::vector<std::string> ids;
    const auto hash = text.find('#');
    if (hash == std::string::npos)
        return ids;
    std::istringstream in(text.substr(hash + 1));
    std::string id;
    while (std::getline(in, id, ',')) {
        id.erase(0, id.find_first_not_of(" \n"));
        id.erase(id.find_last_not_of(" \n") + 1);
        if (!id.empty())
            ids.push_back(id);
    }
    return ids;
}

std::string QuotedProperty(const std::string& id, const char* property)
{
    const std::string text = RunCommand("xprop -id " + id + " " + property);
    const auto first = text.find('"');
    const auto last = text.rfind('"');
    return first == std::string::npos || last == first ? std::string() : text.substr(first + 1, last - first - 1);
}

// The window a window is transient for (its owner), or empty.
std::string OwnerOf(const std::string& id)
{
    const std::string text = RunCommand("xprop -id " + id + " WM_TRANSIENT_FOR");
    const auto hash = text.find("# ");
    if (hash == std::string::npos)
        return {};
    std::string owner = text.substr(hash + 2);
    owner.erase(owner.find_last_not_of(" \n") + 1);
    return owner;
}

// What the user sees on top: the title of the topmost window and of the window it belongs to.
struct TopWindow {
    std::string title;
    std::string ownerTitle;
};

TopWindow Topmost()
{
    const std::vector<std::string> stack = Stacking();
    if (stack.empty())
        return {};
    const std::string owner = OwnerOf(stack.back());
    return {QuotedProperty(stack.back(), "WM_NAME"), owner.empty() ? std::string() : QuotedProperty(owner, "WM_NAME")};
}

// The centre of the window's client area on the screen, as the X server has it (the window
// manager may have placed the window without telling the program where).
wxPoint CentreOf(const wxWindow* window)
{
    return window->ClientToScreen(wxPoint(0, 0)) + window->GetClientSize() / 2;
}

// Runs `inside` once the modal dialog `dialog` is running its loop, then closes it with `code`.
void WhileModal(wxDialog* dialog, std::function<void(wxDialog*)> inside, int code)
{
    dialog->CallAfter([dialog, inside = std::move(inside), code] {
        inside(dialog);
        if (dialog->IsModal())
            dialog->EndModal(code);
    });
}

class WindowManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str());
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (drive.Path() / "registry.reg").string());
        localfs::ReloadDriveMap();
    }

    void TearDown() override
    {
        StopApplication();
        drives.reset();
        registry.reset();
        localfs::ReloadDriveMap();
    }

    // Starts the program (its start-up Connect dialog cancelled) and waits until the window
    // manager shows the frame.
    CMainFrame& Start()
    {
        CMainFrame& frame = StartApplication();
        EXPECT_TRUE(Settle([&] {
            for (const std::string& id : Stacking()) {
                if (QuotedProperty(id, "WM_NAME") == "Ferrix FTP" && OwnerOf(id).empty())
                    return frame.IsShown();
            }
            return false;
        })) << "the frame did not come up";
        return frame;
    }

    TempDir drive;
    std::unique_ptr<ScopedEnv> drives;
    std::unique_ptr<ScopedEnv> registry;
};

TEST_F(WindowManagerTest, TheOptionSheetAndAMessageOverItComeUpOnTopCentredOnTheirOwner)
{
    CMainFrame& frame = Start();
    ASSERT_TRUE(Settle([&] { return frame.IsActive() && Topmost().title == "Ferrix FTP"; }));
    TopWindow sheetSeen, boxSeen;
    bool sheetActive = false, boxActive = false;
    std::string boxParent;
    wxPoint sheetCentre, frameCentre, boxCentre, sheetCentreWhileBox;
    int boxAnswer = 0;
    bool boxHandled = false;

    ScopedDialogAnswerer realDialogs([&](wxDialog* dialog) {
        if (dialog->GetTitle() == "Option Setting") {
            WhileModal(dialog, [&](wxDialog* sheet) {
                Settle([&] { return sheet->IsActive() && Topmost().title == "Option Setting"; });
                sheetSeen = Topmost();
                sheetActive = sheet->IsActive();
                sheetCentre = CentreOf(sheet);
                frameCentre = CentreOf(&frame);
                // A message the sheet gives (for example about a field) goes through the door.
                boxAnswer = AfxMessageBox("Something to say about a field.", wxOK | wxICON_EXCLAMATION);
            }, wxID_CANCEL);
        } else if (!boxHandled) {
            // The message dialog passes the modal hook twice on its way in; one look is enough.
            boxHandled = true;
            WhileModal(dialog, [&](wxDialog* box) {
                Settle([&] { return box->IsActive() && Topmost().ownerTitle == "Option Setting"; });
                boxSeen = Topmost();
                boxActive = box->IsActive();
                boxParent = box->GetParent() ? box->GetParent()->GetLabel().utf8_string() : std::string();
                boxCentre = CentreOf(box);
                sheetCentreWhileBox = CentreOf(box->GetParent());
            }, wxID_OK);
        }
        return wxID_NONE;   // shown for real
    });
    SendCommand(frame, ID_SERVER_OPTION);

    EXPECT_EQ(sheetSeen.title, "Option Setting");
    EXPECT_EQ(sheetSeen.ownerTitle, "Ferrix FTP");
    EXPECT_TRUE(sheetActive);
    EXPECT_NEAR(sheetCentre.x, frameCentre.x, 24);
    EXPECT_NEAR(sheetCentre.y, frameCentre.y, 48);

    EXPECT_EQ(boxSeen.title, "Ferrix FTP");
    EXPECT_EQ(boxSeen.ownerTitle, "Option Setting");
    EXPECT_TRUE(boxActive);
    EXPECT_EQ(boxParent, "Option Setting");
    EXPECT_NEAR(boxCentre.x, sheetCentreWhileBox.x, 24);
    EXPECT_NEAR(boxCentre.y, sheetCentreWhileBox.y, 48);
    EXPECT_EQ(boxAnswer, wxOK);
    // Back to the frame once both are gone.
    EXPECT_TRUE(Settle([&] { return Topmost().title == "Ferrix FTP"; }));
}

TEST_F(WindowManagerTest, TheProfileSheetComesUpOnTopOfTheConnectDialog)
{
    CMainFrame& frame = Start();
    TopWindow connectSeen, sheetSeen;
    ScopedDialogAnswerer realDialogs([&](wxDialog* dialog) {
        if (dialog->GetTitle() == "Connect to Host") {
            WhileModal(dialog, [&](wxDialog* connect) {
                Settle([&] { return connect->IsActive() && Topmost().title == "Connect to Host"; });
                connectSeen = Topmost();
                ClickButton(connect, IDC_ADD);
            }, wxID_CANCEL);
        } else if (dialog->GetTitle() == "Host Profile") {
            WhileModal(dialog, [&](wxDialog* sheet) {
                Settle([&] { return sheet->IsActive() && Topmost().title == "Host Profile"; });
                sheetSeen = Topmost();
            }, wxID_CANCEL);
        } else {
            ADD_FAILURE() << "unexpected dialog " << dialog->GetTitle();
            return wxID_CANCEL;
        }
        return wxID_NONE;
    });
    SendCommand(frame, ID_SERVER_CONNECT);
    EXPECT_EQ(connectSeen.title, "Connect to Host");
    EXPECT_EQ(connectSeen.ownerTitle, "Ferrix FTP");
    EXPECT_EQ(sheetSeen.title, "Host Profile");
    EXPECT_EQ(sheetSeen.ownerTitle, "Connect to Host");
}

// Real clicks, as the list box itself reports them: after the first entry is deleted, a click on
// the entry that is now first turns Connect, Edit and Delete on again.
TEST_F(WindowManagerTest, ClickingTheNewFirstProfileAfterADeleteEnablesTheButtons)
{
    ProfileState state;
    for (const char* name : {"Archive", "lab", "Zeta"}) {
        auto profile = std::make_unique<HostProfile>();
        profile->name = name;
        state.profiles[name] = std::move(profile);
    }
    CConnectDlg dialog(nullptr, state);
    dialog.regionIndex = 1;
    dialog.Show();
    ASSERT_TRUE(Settle([&] { return dialog.IsActive(); }));
    wxListBox* list = dialog.profileList;
    const auto buttonsEnabled = [&] {
        const bool connect = IsEnabled(&dialog, wxID_OK);
        EXPECT_EQ(IsEnabled(&dialog, IDC_EDIT), connect);
        EXPECT_EQ(IsEnabled(&dialog, IDC_DELETE), connect);
        return connect;
    };
    int clicks = 0;
    const auto clickFirstEntry = [&] {
        wxUIActionSimulator mouse;
        // Each click a little further right, so two are never taken for a double-click.
        mouse.MouseMove(list->ClientToScreen(wxPoint(list->FromDIP(12 + 30 * clicks++), list->FromDIP(8))));
        PumpEvents();
        mouse.MouseClick();
        Settle([&] { return list->GetSelection() == 0; });
    };
    for (const char* deleted : {"Archive", "lab"}) {
        SCOPED_TRACE(deleted);
        clickFirstEntry();
        ASSERT_EQ(list->GetStringSelection(), deleted);
        EXPECT_TRUE(buttonsEnabled());
        ClickButton(&dialog, IDC_DELETE);
        EXPECT_EQ(list->GetSelection(), wxNOT_FOUND);
        EXPECT_FALSE(buttonsEnabled());
    }
    clickFirstEntry();
    EXPECT_EQ(EntriesOf(list), std::vector<std::string>{"Zeta"});
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_TRUE(buttonsEnabled());
}

TEST_F(WindowManagerTest, RegionsKeepTheirShareThroughResizesAndTheLayoutSurvivesARestart)
{
    CMainFrame& frame = Start();
    CBrowserView* upper = frame.GetTree(0);
    CBrowserView* lower = frame.GetTree(1);
    const auto rowShare = [&] {
        const double upperHeight = upper->GetParent()->GetSize().GetHeight();
        return upperHeight / (upperHeight + lower->GetParent()->GetSize().GetHeight());
    };
    // Both regions start at half height, whatever sizes the manager gave on the way.
    EXPECT_NEAR(rowShare(), 0.5, 0.03);
    EXPECT_GT(lower->GetSize().GetHeight(), 150);

    // The user drags the row sash to about a third, with the mouse.
    const wxRect upperRect = upper->GetParent()->GetScreenRect();
    const wxPoint sash(upperRect.GetLeft() + upperRect.GetWidth() / 2, upperRect.GetBottom() + 3);
    const int target = upperRect.GetTop() + (lower->GetParent()->GetScreenRect().GetBottom() - upperRect.GetTop()) / 3;
    wxUIActionSimulator mouse;
    mouse.MouseMove(sash);
    PumpEvents();
    mouse.MouseDown();
    for (int y = sash.y; y > target; y -= 20) {
        mouse.MouseMove(sash.x, y);
        PumpEvents();
    }
    mouse.MouseMove(sash.x, target);
    PumpEvents();
    mouse.MouseUp();
    ASSERT_TRUE(Settle([&] { return rowShare() < 0.4; })) << rowShare();
    const double dragged = rowShare();
    // Both columns moved together.
    EXPECT_NEAR(frame.GetFileList(0)->GetParent()->GetSize().GetHeight(), upper->GetParent()->GetSize().GetHeight(), 2);

    // Shrinking and growing the window keeps the share instead of taking from one region.
    for (const wxSize size : {wxSize(700, 450), wxSize(1100, 720)}) {
        frame.SetSize(size);
        ASSERT_TRUE(Settle([&] { return frame.GetSize() == size; })) << size.x << "x" << size.y;
        EXPECT_NEAR(rowShare(), dragged, 0.03) << size.x << "x" << size.y;
    }

    frame.Move(120, 70);
    ASSERT_TRUE(Settle([&] { return frame.GetPosition() == wxPoint(120, 70); }));
    frame.GetFileList(1)->SetColumnWidth(FileView::kColumnModified, 260);
    StopApplication();

    CMainFrame& again = Start();
    EXPECT_TRUE(Settle([&] { return again.GetPosition() == wxPoint(120, 70); }))
        << again.GetPosition().x << "," << again.GetPosition().y;
    EXPECT_EQ(again.GetSize(), wxSize(1100, 720));
    EXPECT_NEAR(again.GetRowShare(), dragged, 0.03);
    EXPECT_NEAR(again.GetColumnShare(), 0.5, 0.03);
    EXPECT_EQ(again.GetFileList(1)->GetColumnWidth(FileView::kColumnModified), again.FromDIP(260));
    EXPECT_EQ(again.GetFileList(0)->GetColumnWidth(FileView::kColumnModified), again.FromDIP(200));
    StopApplication();

    // A place that no screen shows (a monitor since unplugged) is ignored.
    RegistryReload();
    HKEY key = nullptr;
    const std::string path = "Software\\Ferrix Software\\Ferrix FTP\\MFC Setting\\Ferrix FTP\\Window";
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::string farAway = "5000 4000";
    RegSetValueExA(key, "Position", 0, REG_SZ, reinterpret_cast<const BYTE*>(farAway.c_str()),
                   static_cast<DWORD>(farAway.size() + 1));
    RegCloseKey(key);
    CMainFrame& shown = Start();
    EXPECT_TRUE(wxDisplay::GetFromWindow(&shown) != wxNOT_FOUND);
    EXPECT_TRUE(wxDisplay(0u).GetGeometry().Contains(CentreOf(&shown)));
}

TEST_F(WindowManagerTest, TheFrameFitsTheScreenAndItsRowsShareTheHeight)
{
    struct Case {
        const char* what;
        const char* position;   // stored values, or null for none
        const char* size;
    };
    const Case cases[] = {
        {"first start", nullptr, nullptr},
        // A place and a size that each fit the screen, but not together.
        {"saved place too low for the saved size", "280 100", "1000 790 0"},
        {"saved size larger than the screen", nullptr, "1600 1000 0"},
    };
    const std::string path = "Software\\Ferrix Software\\Ferrix FTP\\MFC Setting\\Ferrix FTP\\Window";
    for (const Case& c : cases) {
        RegistryReload();
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        for (const auto& [name, value] : {std::pair{"Position", c.position}, std::pair{"Size", c.size}}) {
            RegDeleteValueA(key, name);
            if (value)
                RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               static_cast<DWORD>(std::string(value).size() + 1));
        }
        RegCloseKey(key);

        CMainFrame& frame = Start();
        const wxRect area = wxDisplay(&frame).GetClientArea();
        CBrowserView* upper = frame.GetTree(0);
        CBrowserView* lower = frame.GetTree(1);
        // Settled once the manager has placed the frame where it asked to be.
        EXPECT_TRUE(Settle([&] { return area.Contains(frame.GetStatusBar()->GetScreenRect()); }))
            << c.what << ": status bar at " << frame.GetStatusBar()->GetScreenRect().GetBottom();
        EXPECT_TRUE(area.Contains(lower->GetScreenRect())) << c.what;
        const double upperHeight = upper->GetParent()->GetSize().GetHeight();
        const double lowerHeight = lower->GetParent()->GetSize().GetHeight();
        EXPECT_NEAR(upperHeight / (upperHeight + lowerHeight), 0.5, 0.03) << c.what;
        EXPECT_GT(lowerHeight, 150) << c.what;
        StopApplication();
    }
}

TEST_F(WindowManagerTest, AFloatingToolbarIsRestoredAboveTheFrame)
{
    {
        CMainFrame& frame = Start();
        wxAuiManager* aui = wxAuiManager::GetManager(&frame);
        ASSERT_NE(aui, nullptr);
        aui->GetPane("toolbar").Float().FloatingPosition(frame.GetPosition() + wxPoint(60, 60));
        aui->Update();
        PumpEvents();
        StopApplication();
    }
    CMainFrame& frame = Start();
    const auto titles = [] {
        std::vector<std::string> seen;
        for (const std::string& id : Stacking())
            seen.push_back(QuotedProperty(id, "WM_NAME"));
        return seen;
    };
    EXPECT_TRUE(Settle([&] {
        const std::vector<std::string> seen = titles();
        const auto toolbar = std::find(seen.begin(), seen.end(), "Toolbar");
        const auto main = std::find(seen.begin(), seen.end(), "Ferrix FTP");
        return toolbar != seen.end() && main != seen.end() && toolbar > main;
    })) << testing::PrintToString(titles());
    EXPECT_TRUE(frame.IsToolBarShown());
}

} // namespace

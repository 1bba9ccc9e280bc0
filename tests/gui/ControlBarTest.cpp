// The toolbar's and the status bar's state survives a restart.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/GuiTest.h"

#include <gtest/gtest.h>
#include <wx/aui/aui.h>

namespace {

TEST(ControlBarTest, BothBarsAreShownOnAFirstRun)
{
    CMainFrame& frame = StartApplication();
    EXPECT_TRUE(frame.IsToolBarShown());
    EXPECT_TRUE(frame.IsStatusBarShown());
    EXPECT_TRUE(CommandChecked(frame, ID_VIEW_TOOLBAR));
    EXPECT_TRUE(CommandChecked(frame, ID_VIEW_STATUS_BAR));
    EXPECT_EQ(frame.GetStatusBar()->GetFieldsCount(), 4);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "For Help, press F1");
    StopApplication();
}

TEST(ControlBarTest, HiddenBarsAndTheDockingSideSurviveARestart)
{
    {
        CMainFrame& frame = StartApplication();
        SendCommand(frame, ID_VIEW_TOOLBAR);
        SendCommand(frame, ID_VIEW_STATUS_BAR);
        EXPECT_FALSE(CommandChecked(frame, ID_VIEW_TOOLBAR));
        EXPECT_FALSE(CommandChecked(frame, ID_VIEW_STATUS_BAR));
        wxAuiManager* aui = wxAuiManager::GetManager(&frame);
        ASSERT_NE(aui, nullptr);
        aui->GetPane("toolbar").Left();
        aui->Update();
        EXPECT_EQ(frame.GetToolBarDockSide(), 1);
        StopApplication();
    }
    CMainFrame& frame = StartApplication();
    EXPECT_FALSE(frame.IsToolBarShown());
    EXPECT_FALSE(frame.IsStatusBarShown());
    EXPECT_EQ(frame.GetToolBarDockSide(), 1);

    // And back: shown again, docked at the top, after one more restart.
    SendCommand(frame, ID_VIEW_TOOLBAR);
    SendCommand(frame, ID_VIEW_STATUS_BAR);
    wxAuiManager::GetManager(&frame)->GetPane("toolbar").Top();
    wxAuiManager::GetManager(&frame)->Update();
    StopApplication();
    CMainFrame& again = StartApplication();
    EXPECT_TRUE(again.IsToolBarShown());
    EXPECT_TRUE(again.IsStatusBarShown());
    EXPECT_EQ(again.GetToolBarDockSide(), 0);
    StopApplication();
}

} // namespace

// The control-bar state: whether the toolbar and the status bar are shown, and where the
// toolbar is docked (the layout manager's perspective), kept under "CtrlBar" below the settings
// key from one run to the next.

#include "app/MainFrame.h"

#include "app/FrameSettingsKey.h"
#include "res/Resource.h"

#include <wx/statusbr.h>

namespace {
const char* const kToolBarPaneName = "toolbar";
const char* const kBarStateSection = "CtrlBar";
const char* const kPerspectiveValue = "Perspective";
const char* const kToolBarVisibleValue = "ToolBarVisible";
const char* const kStatusBarVisibleValue = "StatusBarVisible";

int DockSideOf(const wxAuiPaneInfo& pane)
{
    switch (pane.dock_direction) {
    case wxAUI_DOCK_LEFT: return 1;
    case wxAUI_DOCK_BOTTOM: return 2;
    case wxAUI_DOCK_RIGHT: return 3;
    default: return 0;
    }
}
} // namespace

bool CMainFrame::IsToolBarShown() const
{
    return const_cast<wxAuiManager&>(m_aui).GetPane(kToolBarPaneName).IsShown();
}

void CMainFrame::ShowToolBar(bool show)
{
    m_aui.GetPane(kToolBarPaneName).Show(show);
    m_aui.Update();
}

bool CMainFrame::IsStatusBarShown() const
{
    return GetStatusBar() && GetStatusBar()->IsShown();
}

void CMainFrame::ShowStatusBar(bool show)
{
    if (wxStatusBar* status = GetStatusBar()) {
        status->Show(show);
        SendSizeEvent();
    }
}

int CMainFrame::GetToolBarDockSide() const
{
    return DockSideOf(const_cast<wxAuiManager&>(m_aui).GetPane(kToolBarPaneName));
}

void CMainFrame::SaveBarState(const std::string& appKeyPath) const
{
    FrameKey key = OpenFrameSection(appKeyPath, kBarStateSection);
    if (!key)
        return;   // the state is a convenience; a registry that cannot be written loses only it
    const std::string perspective = const_cast<wxAuiManager&>(m_aui).SavePerspective().utf8_string();
    WriteFrameText(key.get(), kPerspectiveValue, perspective);
    WriteFrameDword(key.get(), kToolBarVisibleValue, IsToolBarShown() ? 1 : 0);
    WriteFrameDword(key.get(), kStatusBarVisibleValue, IsStatusBarShown() ? 1 : 0);
}

void CMainFrame::LoadBarState(const std::string& appKeyPath)
{
    FrameKey key = OpenFrameSection(appKeyPath, kBarStateSection);
    if (!key)
        return;
    if (auto perspective = ReadFrameText(key.get(), kPerspectiveValue)) {
        // A perspective from another layout (or a damaged one) must leave the bars usable.
        const wxString saved = m_aui.SavePerspective();
        if (!m_aui.LoadPerspective(wxString::FromUTF8(*perspective), false) || !m_aui.GetPane(kToolBarPaneName).IsOk())
            m_aui.LoadPerspective(saved, false);
        m_aui.GetPane(kToolBarPaneName).Caption("Toolbar");
        m_aui.GetPane("panes").CenterPane();
    }
    if (auto visible = ReadFrameDword(key.get(), kToolBarVisibleValue))
        m_aui.GetPane(kToolBarPaneName).Show(*visible != 0);
    m_aui.Update();
    if (auto visible = ReadFrameDword(key.get(), kStatusBarVisibleValue))
        ShowStatusBar(*visible != 0);
}

void CMainFrame::OnToggleBar(wxCommandEvent& event)
{
    if (event.GetId() == ID_VIEW_TOOLBAR)
        ShowToolBar(!IsToolBarShown());
    else
        ShowStatusBar(!IsStatusBarShown());
}

void CMainFrame::OnUpdateToggleBar(wxUpdateUIEvent& event)
{
    event.Check(event.GetId() == ID_VIEW_TOOLBAR ? IsToolBarShown() : IsStatusBarShown());
}

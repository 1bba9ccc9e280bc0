// The control-bar state: whether the toolbar and the status bar are shown, and where the
// toolbar is docked (the layout manager's perspective), kept under "CtrlBar" below the settings
// key from one run to the next.

#include "app/MainFrame.h"

#include "platform/registry/Registry.h"
#include "res/Resource.h"

#include <wx/statusbr.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace {
const char* const kToolBarPaneName = "toolbar";
const char* const kBarStateSection = "CtrlBar";
const char* const kPerspectiveValue = "Perspective";
const char* const kToolBarVisibleValue = "ToolBarVisible";
const char* const kStatusBarVisibleValue = "StatusBarVisible";

struct KeyCloser {
    void operator()(RegistryKey* key) const { RegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<RegistryKey, KeyCloser>;

KeyHandle OpenBarKey(const std::string& appKeyPath)
{
    const std::string path = "Software\\" + appKeyPath + kBarStateSection;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return KeyHandle(key);
}

void WriteDword(HKEY key, const char* name, std::uint32_t value)
{
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                           static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    RegSetValueExA(key, name, 0, REG_DWORD, bytes, sizeof bytes);
}

std::optional<std::uint32_t> ReadDword(HKEY key, const char* name)
{
    BYTE bytes[4] = {};
    DWORD type = 0;
    DWORD length = sizeof bytes;
    if (RegQueryValueExA(key, name, nullptr, &type, bytes, &length) != ERROR_SUCCESS || type != REG_DWORD || length != 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::optional<std::string> ReadText(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD length = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &length) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::vector<BYTE> buffer(length + 1);
    if (RegQueryValueExA(key, name, nullptr, &type, buffer.data(), &length) != ERROR_SUCCESS)
        return std::nullopt;
    std::string text(buffer.begin(), buffer.begin() + length);
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

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
    KeyHandle key = OpenBarKey(appKeyPath);
    if (!key)
        return;   // the state is a convenience; a registry that cannot be written loses only it
    const std::string perspective = const_cast<wxAuiManager&>(m_aui).SavePerspective().utf8_string();
    RegSetValueExA(key.get(), kPerspectiveValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(perspective.c_str()),
                   static_cast<DWORD>(perspective.size() + 1));
    WriteDword(key.get(), kToolBarVisibleValue, IsToolBarShown() ? 1 : 0);
    WriteDword(key.get(), kStatusBarVisibleValue, IsStatusBarShown() ? 1 : 0);
}

void CMainFrame::LoadBarState(const std::string& appKeyPath)
{
    KeyHandle key = OpenBarKey(appKeyPath);
    if (!key)
        return;
    if (auto perspective = ReadText(key.get(), kPerspectiveValue)) {
        // A perspective from another layout (or a damaged one) must leave the bars usable.
        const wxString saved = m_aui.SavePerspective();
        if (!m_aui.LoadPerspective(wxString::FromUTF8(*perspective), false) || !m_aui.GetPane(kToolBarPaneName).IsOk())
            m_aui.LoadPerspective(saved, false);
        m_aui.GetPane(kToolBarPaneName).Caption("Toolbar");
        m_aui.GetPane("panes").CenterPane();
    }
    if (auto visible = ReadDword(key.get(), kToolBarVisibleValue))
        m_aui.GetPane(kToolBarPaneName).Show(*visible != 0);
    m_aui.Update();
    if (auto visible = ReadDword(key.get(), kStatusBarVisibleValue))
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

#pragma once
// CConnectDlg: "Connect to Host", where the user picks the profile to connect with and the
// region that shows the host, and adds, edits and deletes profiles. Edits work on a copy of
// the profile list that is copied back into the state after every change, so they stand even
// when the dialog is then cancelled.

#include "profiles/HostProfile.h"
#include "profiles/ProfileState.h"
#include "platform/ui/RadioGroup.h"

#include <wx/dialog.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class wxButton;
class wxListBox;

class CConnectDlg : public wxDialog {
public:
    CConnectDlg(wxWindow* parent, ProfileState& state);
    ~CConnectDlg() override;

    // On OK: the chosen profile's name, a key of state.profiles.
    std::string selectedProfile;
    ProfileList workProfiles;
    wxListBox* profileList = nullptr;   // child window
    // 0 upper, 1 lower; set by the caller before showing, read back on OK.
    std::int32_t regionIndex = -1;

private:
    void CreateControls();
    void OnInitDialog(wxInitDialogEvent& event);
    void OnAdd(wxCommandEvent& event);
    void OnEdit(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnConnect(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnSelectionChange(wxCommandEvent& event);
    void OnRegion(wxCommandEvent& event);

    void UpdateButtons();
    // The state's profile list becomes a copy of workProfiles, marked for saving.
    void CopyBack();
    std::vector<std::string> ListEntries() const;
    int FindEntry(const std::string& text) const;
    void InsertSorted(const std::string& name);
    // Asks before a profile is replaced by one of the same name (as the registry compares
    // names); false to go back to the sheet.
    bool ConfirmReplace(const std::string& existing) const;
    // The sheet on `draft` until it is cancelled, closes without a name, or its name clashes
    // with no profile but `ownKey` (or the user agrees to replace the one it clashes with).
    // On success, `clash` holds the key of the profile to replace, or is empty.
    bool RunProfileSheet(HostProfile& draft, const std::string& ownKey, std::string& clash);
    void EndDialogWith(int code);

    ProfileState& m_state;
    std::unique_ptr<RadioGroup> m_pRegion;
    wxButton* m_pConnect = nullptr;   // child windows
    wxButton* m_pEdit = nullptr;
    wxButton* m_pDelete = nullptr;
};

#include "profiles/ConnectDlg.h"

#include "platform/AsciiCase.h"
#include "platform/ui/MessageBox.h"
#include "profiles/HostProfileSheet.h"
#include "profiles/ProfileDialogIds.h"
#include "profiles/ProfileListOrder.h"
#include "profiles/ProfileSettings.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {
// Sizes in dialog units, as the dialog was first drawn.
constexpr int kListWidth = 135;
constexpr int kListHeight = 78;
constexpr int kButtonWidth = 50;

wxString ToWx(const std::string& text)
{
    return wxString::FromUTF8(text);
}

bool IsRegion(int index)
{
    return index == ProfileState::kUpperRegion || index == ProfileState::kLowerRegion;
}

// wxListBox tells of a selection only when it differs from the last one it told of. Once the
// dialog has moved or cleared the selection itself (a delete, an add), that memory is stale:
// after "Delete" on the first entry a click on the new first entry would tell nothing, and
// Connect, Edit and Delete would stay off. The dialog keeps the memory in step with the list.
class ProfileListBox : public wxListBox {
public:
    using wxListBox::wxListBox;

    void RememberCurrentSelection()
    {
        m_oldSelections.clear();
        if (const int selection = GetSelection(); selection != wxNOT_FOUND)
            m_oldSelections.push_back(selection);
    }
};
} // namespace

CConnectDlg::CConnectDlg(wxWindow* parent, ProfileState& state)
    : wxDialog(parent, wxID_ANY, "Connect to Host"), workProfiles(CopyProfiles(state.profiles)), m_state(state)
{
    CreateControls();
    Bind(wxEVT_INIT_DIALOG, &CConnectDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnConnect, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnAdd, this, IDC_ADD);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnEdit, this, IDC_EDIT);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnDelete, this, IDC_DELETE);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_LISTBOX, &CConnectDlg::OnSelectionChange, this, IDC_PROFILE_LIST);
    Bind(wxEVT_LISTBOX_DCLICK, &CConnectDlg::OnConnect, this, IDC_PROFILE_LIST);
    Bind(wxEVT_RADIOBUTTON, &CConnectDlg::OnRegion, this, IDC_UPPER_REGION);
    Bind(wxEVT_RADIOBUTTON, &CConnectDlg::OnRegion, this, IDC_LOWER_REGION);
}

CConnectDlg::~CConnectDlg() = default;

void CConnectDlg::CreateControls()
{
    // Created in tab order: the buttons first, then the list and the region group.
    const wxSize buttonSize(ConvertDialogToPixels(wxSize(kButtonWidth, -1)).x, -1);
    m_pConnect = new wxButton(this, wxID_OK, "Connect", wxDefaultPosition, buttonSize);
    m_pConnect->SetDefault();
    auto* add = new wxButton(this, IDC_ADD, "Add...", wxDefaultPosition, buttonSize);
    m_pEdit = new wxButton(this, IDC_EDIT, "Edit...", wxDefaultPosition, buttonSize);
    m_pDelete = new wxButton(this, IDC_DELETE, "Delete", wxDefaultPosition, buttonSize);
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel", wxDefaultPosition, buttonSize);

    auto* listLabel = new wxStaticText(this, wxID_ANY, "Profile List:");
    profileList = new ProfileListBox(this, IDC_PROFILE_LIST, wxDefaultPosition,
                                     ConvertDialogToPixels(wxSize(kListWidth, kListHeight)), 0, nullptr, wxLB_SINGLE);
    FramedRadioGroup region = MakeFramedRadioGroup(
        this, "Display Directory Tree", {{IDC_UPPER_REGION, "Use Upper Region"}, {IDC_LOWER_REGION, "Use Lower Region"}});
    wxStaticBoxSizer* regionBox = region.sizer;
    m_pRegion = std::move(region.group);

    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(listLabel);
    left->AddSpacer(FromDIP(4));
    left->Add(profileList, wxSizerFlags(1).Expand());
    left->AddSpacer(FromDIP(10));
    left->Add(regionBox, wxSizerFlags().Expand());

    auto* buttons = new wxBoxSizer(wxVERTICAL);
    for (wxButton* button : {m_pConnect, add, m_pEdit, m_pDelete, cancel}) {
        if (button != m_pConnect)
            buttons->AddSpacer(FromDIP(6));
        buttons->Add(button, wxSizerFlags().Expand());
    }

    auto* all = new wxBoxSizer(wxHORIZONTAL);
    all->Add(left, wxSizerFlags(1).Expand().Border(wxALL, FromDIP(12)));
    all->Add(buttons, wxSizerFlags().Border(wxTOP | wxRIGHT | wxBOTTOM, FromDIP(12)));
    SetSizerAndFit(all);
    Centre();
}

void CConnectDlg::OnInitDialog(wxInitDialogEvent& event)
{
    m_pRegion->SetIndex(regionIndex);
    // With "Local - Remote" only the lower region connects; the caller has set it.
    m_pRegion->Enable(m_state.connectionType != ProfileState::kLocalRemote);

    std::vector<std::string> names;
    for (const auto& entry : workProfiles)
        names.push_back(entry.first);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return CompareNoCaseThenBytes(a, b) < 0; });
    profileList->Clear();
    for (const std::string& name : names)
        profileList->Append(ToWx(name));

    if (IsRegion(regionIndex)) {
        const std::string& last = m_state.lastProfileName[static_cast<std::size_t>(regionIndex)];
        if (!last.empty()) {
            const int match = FindPrefixIgnoringCase(ListEntries(), last);
            if (match >= 0)
                profileList->SetSelection(match);
        }
    }
    UpdateButtons();
    event.Skip();
}

void CConnectDlg::UpdateButtons()
{
    static_cast<ProfileListBox*>(profileList)->RememberCurrentSelection();
    const bool selected = profileList->GetSelection() != wxNOT_FOUND;
    m_pConnect->Enable(selected);
    m_pEdit->Enable(selected);
    m_pDelete->Enable(selected);
}

std::vector<std::string> CConnectDlg::ListEntries() const
{
    std::vector<std::string> entries;
    for (unsigned i = 0; i < profileList->GetCount(); ++i)
        entries.push_back(profileList->GetString(i).utf8_string());
    return entries;
}

int CConnectDlg::FindEntry(const std::string& text) const
{
    const std::vector<std::string> entries = ListEntries();
    const auto it = std::find(entries.begin(), entries.end(), text);
    return it == entries.end() ? wxNOT_FOUND : static_cast<int>(it - entries.begin());
}

void CConnectDlg::InsertSorted(const std::string& name)
{
    profileList->Insert(ToWx(name), static_cast<unsigned>(SortedInsertPosition(ListEntries(), name)));
}

void CConnectDlg::CopyBack()
{
    // Keyed as in the working copy, which files every record under its name; a record loaded
    // under a value name that differs from its first field keeps the name it is listed under.
    m_state.profiles = CopyProfiles(workProfiles);
    m_state.profileStore.SetModified(1);
    // Kept even when the dialog is then cancelled, so saved now: a crash loses nothing.
    SaveProfilesOrTell(m_state);
}

bool CConnectDlg::ConfirmReplace(const std::string& existing) const
{
    const std::string question = "A profile named \"" + existing + "\" already exists. Do you want to replace it?";
    return AfxMessageBox(question, wxYES_NO | wxICON_QUESTION) == wxYES;
}

bool CConnectDlg::RunProfileSheet(HostProfile& draft, const std::string& ownKey, std::string& clash)
{
    for (;;) {
        CHostProfileSheet sheet(this, draft, m_state.email);
        if (sheet.ShowModal() != wxID_OK)
            return false;
        draft = sheet.GetProfile();
        // The page has told the user that a profile without a name is discarded.
        if (draft.name.empty())
            return false;
        clash = draft.name == ownKey ? std::string() : FindClashingProfile(workProfiles, draft.name, ownKey);
        if (clash.empty() || ConfirmReplace(clash))
            return true;
    }
}

void CConnectDlg::OnAdd(wxCommandEvent&)
{
    HostProfile draft;
    std::string clash;
    if (!RunProfileSheet(draft, std::string(), clash))
        return;
    if (!clash.empty()) {
        workProfiles.erase(clash);
        if (const int entry = FindEntry(clash); entry != wxNOT_FOUND)
            profileList->Delete(static_cast<unsigned>(entry));
    }
    const std::string name = draft.name;
    workProfiles[name] = std::make_unique<HostProfile>(std::move(draft));
    InsertSorted(name);
    // The profile just added is the one the user most likely connects to next.
    profileList->SetSelection(FindEntry(name));
    UpdateButtons();
    CopyBack();
}

void CConnectDlg::OnEdit(wxCommandEvent&)
{
    const int selection = profileList->GetSelection();
    if (selection == wxNOT_FOUND)
        return;
    const std::string oldName = profileList->GetString(static_cast<unsigned>(selection)).utf8_string();
    const auto record = workProfiles.find(oldName);
    if (record == workProfiles.end())
        return;

    HostProfile draft = *record->second;
    std::string clash;
    if (!RunProfileSheet(draft, oldName, clash))
        return;
    const std::string newName = draft.name;
    *record->second = std::move(draft);

    if (newName != oldName) {
        if (!clash.empty()) {
            workProfiles.erase(clash);
            if (const int entry = FindEntry(clash); entry != wxNOT_FOUND)
                profileList->Delete(static_cast<unsigned>(entry));
        }
        auto node = workProfiles.extract(oldName);
        node.key() = newName;
        workProfiles.insert(std::move(node));
        // Renamed in place: the entry keeps its position until the list is filled again.
        const int entry = FindEntry(oldName);
        if (entry != wxNOT_FOUND) {
            profileList->Delete(static_cast<unsigned>(entry));
            profileList->Insert(ToWx(newName), static_cast<unsigned>(entry));
            profileList->SetSelection(entry);
        }
    }
    UpdateButtons();
    CopyBack();
}

void CConnectDlg::OnDelete(wxCommandEvent&)
{
    const int selection = profileList->GetSelection();
    if (selection == wxNOT_FOUND)
        return;
    const std::string name = profileList->GetString(static_cast<unsigned>(selection)).utf8_string();
    profileList->Delete(static_cast<unsigned>(selection));
    workProfiles.erase(name);
    UpdateButtons();
    CopyBack();
}

void CConnectDlg::OnConnect(wxCommandEvent&)
{
    // Enter and a double-click reach here whatever the buttons show.
    const int selection = profileList->GetSelection();
    if (selection == wxNOT_FOUND || !IsRegion(regionIndex))
        return;
    selectedProfile = profileList->GetString(static_cast<unsigned>(selection)).utf8_string();
    m_state.lastProfileName[static_cast<std::size_t>(regionIndex)] = selectedProfile;
    if (const int checked = m_pRegion->GetIndex(); checked >= 0)
        regionIndex = checked;
    SaveProfilesOrTell(m_state);
    EndDialogWith(wxID_OK);
}

void CConnectDlg::OnCancel(wxCommandEvent&)
{
    EndDialogWith(wxID_CANCEL);
}

void CConnectDlg::OnSelectionChange(wxCommandEvent&)
{
    UpdateButtons();
}

void CConnectDlg::OnRegion(wxCommandEvent& event)
{
    regionIndex = event.GetId() == IDC_UPPER_REGION ? ProfileState::kUpperRegion : ProfileState::kLowerRegion;
}

void CConnectDlg::EndDialogWith(int code)
{
    SetReturnCode(code);
    // Tests drive the dialog without a modal loop; then closing only hides it.
    if (IsModal())
        EndModal(code);
    else
        Hide();
}

#include "profiles/OptionSheet.h"

#include "profiles/FtpcontypePage.h"
#include "profiles/PreferencePage.h"
#include "profiles/ProfileSettings.h"
#include "profiles/TransferTypePage.h"

namespace {
enum OptionPage : int { kConnectionTypePage, kTransferTypePage, kEmailPage };

// The page the next option sheet opens on; kept for the process, not saved.
std::int32_t lastOptionPage = 0;
} // namespace

COptionSheet::COptionSheet(wxWindow* parent, const ProfileState& state) : CSheet(parent, "Option Setting")
{
    auto* connection = new Ftpcontype(GetBookCtrl());
    connection->connectionType = state.connectionType;
    auto* transfer = new TransferType(GetBookCtrl());
    transfer->transferType = state.transferType;
    auto* preference = new Preference(GetBookCtrl());
    preference->email = state.email;
    AddPage(connection);
    AddPage(transfer);
    AddPage(preference);
    SetActivePage(lastOptionPage);
    FinishPages();
}

bool COptionSheet::Apply(ProfileState& state) const
{
    lastOptionPage = lastActivePage;
    state.email = static_cast<const Preference*>(GetPage(kEmailPage))->email;
    // The rest of the program indexes by these settings, so a group left with no button
    // checked keeps the setting that was there.
    const std::int32_t transfer = static_cast<const TransferType*>(GetPage(kTransferTypePage))->transferType;
    if (transfer >= 0)
        state.transferType = transfer;
    const std::int32_t connection = static_cast<const Ftpcontype*>(GetPage(kConnectionTypePage))->connectionType;
    if (connection < 0 || connection == state.connectionType)
        return false;
    state.connectionType = connection;
    return true;
}

bool RunOptionSheet(wxWindow* parent, ProfileState& state)
{
    COptionSheet sheet(parent, state);
    if (sheet.ShowModal() != wxID_OK)
        return false;
    const bool connectionTypeChanged = sheet.Apply(state);
    SaveProfilesOrTell(state);
    return connectionTypeChanged;
}

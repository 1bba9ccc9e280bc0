#pragma once
// The "Option Setting" sheet: connection type, transfer method and e-mail address.

#include "profiles/ProfileState.h"
#include "platform/ui/Sheet.h"

class wxWindow;

// Builds the option sheet on `state`'s settings, opening on the page that was active when the
// last option sheet closed with OK.
class COptionSheet : public CSheet {
public:
    COptionSheet(wxWindow* parent, const ProfileState& state);

    // On OK: stores the pages' values into `state` (a radio group with no button checked
    // leaves its setting as it was) and remembers the active page for the next sheet.
    // True when the connection type changed, so that the regions must be laid out again.
    bool Apply(ProfileState& state) const;
};

// Shows the option sheet modally and applies it on OK; true when the connection type changed.
bool RunOptionSheet(wxWindow* parent, ProfileState& state);

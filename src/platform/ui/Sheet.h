#pragma once
// CSheet: the property sheet that remembers which page was active when it closed, so that the
// next sheet of its kind can open on it.

#include "platform/ui/PropertySheet.h"

#include <cstdint>

class CSheet : public CPropertySheet {
public:
    CSheet(wxWindow* parent, const wxString& caption);

    std::int32_t lastActivePage = 0;

protected:
    void OnClosing() override;
};

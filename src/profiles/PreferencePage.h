#pragma once
// Preference: the "Email" page of the "Option Setting" sheet.

#include "platform/ui/PropertyPage.h"

#include <string>

class wxTextCtrl;

class Preference : public CPropertyPage {
public:
    explicit Preference(wxWindow* parent);

    bool OnKillActive() override;

    std::string email;

protected:
    void FillControls() override;

private:
    wxTextCtrl* m_pEmail = nullptr;   // child window of the page
};

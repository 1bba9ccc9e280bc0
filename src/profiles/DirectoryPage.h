#pragma once
// Directory: the "Initial Root Directory" page of the "Host Profile" sheet.

#include "platform/ui/PropertyPage.h"

#include <string>

class wxTextCtrl;

class Directory : public CPropertyPage {
public:
    explicit Directory(wxWindow* parent);

    bool OnKillActive() override;
    void OnOK() override;

    std::string initialDir;

protected:
    void FillControls() override;

private:
    wxTextCtrl* m_pInitialDir = nullptr;   // child window of the page
};

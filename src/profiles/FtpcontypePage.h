#pragma once
// Ftpcontype: the "FTP Connection Type" page of the "Option Setting" sheet.

#include "platform/ui/PropertyPage.h"
#include "platform/ui/RadioGroup.h"

#include <cstdint>
#include <memory>

class Ftpcontype : public CPropertyPage {
public:
    explicit Ftpcontype(wxWindow* parent);
    ~Ftpcontype() override;

    bool OnKillActive() override;

    // 0 "Local - Remote", 1 "Remote - Remote"; -1 when no button is checked.
    std::int32_t connectionType = -1;

protected:
    void FillControls() override;

private:
    std::unique_ptr<RadioGroup> m_pGroup;
};

#pragma once
// TransferType: the "Transfer Method" page of the "Option Setting" sheet.

#include "platform/ui/PropertyPage.h"
#include "platform/ui/RadioGroup.h"

#include <cstdint>
#include <memory>

class TransferType : public CPropertyPage {
public:
    explicit TransferType(wxWindow* parent);
    ~TransferType() override;

    bool OnKillActive() override;

    // 0 "FTP Binary", 1 "FTP ASCII"; -1 when no button is checked.
    std::int32_t transferType = -1;

protected:
    void FillControls() override;

private:
    std::unique_ptr<RadioGroup> m_pGroup;
};

#pragma once
// Security: the "Security" page of the "Host Profile" sheet, where a profile chooses whether its
// connection must be encrypted (explicit FTP over TLS), may be, or is plain.

#include "platform/inet/FtpSecurity.h"
#include "platform/ui/PropertyPage.h"
#include "platform/ui/RadioGroup.h"

#include <memory>

class Security : public CPropertyPage {
public:
    explicit Security(wxWindow* parent);
    ~Security() override;

    bool OnKillActive() override;

    ConnectionSecurity security = ConnectionSecurity::RequireTls;

protected:
    void FillControls() override;

private:
    std::unique_ptr<RadioGroup> m_pGroup;
};

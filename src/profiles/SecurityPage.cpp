#include "profiles/SecurityPage.h"

#include "profiles/ProfileDialogIds.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include <array>

namespace {
// In the order of the buttons.
constexpr std::array<ConnectionSecurity, 3> kChoices = {
    ConnectionSecurity::RequireTls, ConnectionSecurity::TlsIfAvailable, ConnectionSecurity::Plain};

const char* const kNote =
    "With \"Require\", a server that cannot encrypt the connection is refused before your password "
    "is sent. Plain FTP sends your password and every file as clear text, readable by anyone on "
    "the way.";

// Width of the group and the note in dialog units.
constexpr int kPageWidth = 220;
} // namespace

Security::Security(wxWindow* parent) : CPropertyPage(parent, "Security")
{
    FramedRadioGroup choice = MakeFramedRadioGroup(this, "Connection Security",
                                                   {{IDC_REQUIRE_TLS, "Require explicit FTP over TLS"},
                                                    {IDC_TLS_IF_AVAILABLE, "Use explicit FTP over TLS if available"},
                                                    {IDC_PLAIN_FTP, "Plain FTP (insecure)"}});
    wxStaticBoxSizer* box = choice.sizer;
    m_pGroup = std::move(choice.group);
    const int width = ConvertDialogToPixels(wxSize(kPageWidth, -1)).x;
    box->SetMinSize(width, -1);

    auto* note = new wxStaticText(this, wxID_ANY, kNote);
    note->Wrap(width);

    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(box, wxSizerFlags().Expand().Border(wxALL, FromDIP(12)));
    page->Add(note, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12)));
    SetSizer(page);
}

Security::~Security() = default;

void Security::FillControls()
{
    for (std::size_t i = 0; i < kChoices.size(); ++i) {
        if (kChoices[i] == security)
            m_pGroup->SetIndex(static_cast<int>(i));
    }
}

bool Security::OnKillActive()
{
    // One button of the three is always checked once the page has been filled.
    if (const int index = m_pGroup->GetIndex(); index >= 0)
        security = kChoices[static_cast<std::size_t>(index)];
    return true;
}

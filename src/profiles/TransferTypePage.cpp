#include "profiles/TransferTypePage.h"

#include "profiles/ProfileDialogIds.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {
const char* const kBinaryNote =
    "     The file transfers data using FTP BINARY (Type I) transfer method. The file transfers "
    "data exactly as it exists, with no changes. This is the default transfer method.";
const char* const kAsciiNote =
    "     The file transfers using FTP ASCII (Type A) transfer method. Converts control and "
    "formatting information to local equivalents. ";

// Width of the notes in dialog units, as the page was first drawn.
constexpr int kNoteWidth = 216;
} // namespace

TransferType::TransferType(wxWindow* parent) : CPropertyPage(parent, "Transfer Method")
{
    auto* binary = new wxRadioButton(this, IDC_FTP_BINARY, "FTP Binary", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    auto* ascii = new wxRadioButton(this, IDC_FTP_ASCII, "FTP ASCII");
    m_pGroup = std::make_unique<RadioGroup>(this, std::initializer_list<wxRadioButton*>{binary, ascii});

    const int width = ConvertDialogToPixels(wxSize(kNoteWidth, -1)).x;
    auto* noteLabel = new wxStaticText(this, wxID_ANY, "Note:");
    auto* binaryNote = new wxStaticText(this, wxID_ANY, kBinaryNote);
    binaryNote->Wrap(width);
    auto* asciiNote = new wxStaticText(this, wxID_ANY, kAsciiNote);
    asciiNote->Wrap(width);

    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(binary, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(12)));
    page->AddSpacer(FromDIP(4));
    page->Add(ascii, wxSizerFlags().Border(wxLEFT | wxRIGHT, FromDIP(12)));
    page->AddSpacer(FromDIP(14));
    page->Add(noteLabel, wxSizerFlags().Border(wxLEFT | wxRIGHT, FromDIP(12)));
    page->AddSpacer(FromDIP(6));
    page->Add(binaryNote, wxSizerFlags().Border(wxLEFT | wxRIGHT, FromDIP(12)));
    page->AddSpacer(FromDIP(8));
    page->Add(asciiNote, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12)));
    SetSizer(page);
}

TransferType::~TransferType() = default;

void TransferType::FillControls()
{
    m_pGroup->SetIndex(transferType);
}

bool TransferType::OnKillActive()
{
    transferType = m_pGroup->GetIndex();
    return true;
}

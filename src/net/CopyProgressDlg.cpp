#include "net/CopyProgressDlg.h"

#include "net/FileTransfer.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {

// Sizes in dialog units, as the dialog was first drawn.
constexpr int kTextWidth = 218;
constexpr int kBarWidth = 239;
constexpr int kPercentWidth = 23;
constexpr int kButtonWidth = 50;
// Idle rounds per pump: enough to bring menus and bars up to date, bounded so that an idle
// handler that always asks for more cannot hold the copy.
constexpr int kIdleRounds = 4;

wxString ToWx(const std::string& text)
{
    return wxString::FromUTF8(text);
}

}  // namespace

wxBEGIN_EVENT_TABLE(CCopyProgressDlg, wxDialog)
    EVT_BUTTON(wxID_CANCEL, CCopyProgressDlg::OnCancel)
    EVT_CLOSE(CCopyProgressDlg::OnClose)
wxEND_EVENT_TABLE()

CCopyProgressDlg::CCopyProgressDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Copying...", wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    CreateControls();
    CentreOnParent();
    Show();
    // Visible before the first block blocks the thread.
    Update();
    wxTheApp->Yield(true);
}

CCopyProgressDlg::~CCopyProgressDlg()
{
    // Gone without a cancel (the owner closed): the batch cannot be watched any more, so it stops.
    if (m_pTransfer)
        CancelTransfer();
}

void CCopyProgressDlg::CreateControls()
{
    const int textWidth = ConvertDialogToPixels(wxSize(kTextWidth, -1)).x;
    auto* lines = new wxFlexGridSizer(2, wxSize(ConvertDialogToPixels(wxSize(10, 6))));
    auto addLine = [&](const char* label, int id) {
        lines->Add(new wxStaticText(this, wxID_ANY, label));
        auto* text = new wxStaticText(this, id, "", wxDefaultPosition, wxSize(textWidth, -1),
                                      wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
        lines->Add(text);
        return text;
    };
    m_pSource = addLine("Source:", IDC_SOURCE_TEXT);
    m_pDestination = addLine("Destination:", IDC_DESTINATION_TEXT);
    m_pStatus = addLine("Status:", IDC_STATUS_TEXT);
    m_pTimeLeft = addLine("Time Left:", IDC_TIME_LEFT_TEXT);

    m_pBar = new wxGauge(this, IDC_PROGRESS_BAR, BarScale::kBarMaximum, wxDefaultPosition,
                         wxSize(ConvertDialogToPixels(wxSize(kBarWidth, 14))));
    m_pPercent = new wxStaticText(this, IDC_PERCENT_TEXT, "", wxDefaultPosition,
                                  wxSize(ConvertDialogToPixels(wxSize(kPercentWidth, -1)).x, -1), wxST_NO_AUTORESIZE);
    auto* bar = new wxBoxSizer(wxHORIZONTAL);
    bar->Add(m_pBar, 0, wxALIGN_CENTER_VERTICAL);
    bar->Add(m_pPercent, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, ConvertDialogToPixels(wxSize(10, -1)).x);

    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel", wxDefaultPosition,
                                wxSize(ConvertDialogToPixels(wxSize(kButtonWidth, -1)).x, -1));
    auto* top = new wxBoxSizer(wxVERTICAL);
    const int margin = ConvertDialogToPixels(wxSize(7, 7)).x;
    top->Add(lines, 0, wxALL, margin);
    top->Add(bar, 0, wxLEFT | wxRIGHT | wxTOP, margin);
    top->Add(cancel, 0, wxALIGN_CENTER | wxALL, margin);
    SetSizerAndFit(top);
    cancel->SetFocus();
}

void CCopyProgressDlg::AttachTransfer(CFileTransfer* transfer)
{
    m_pTransfer = transfer;
}

void CCopyProgressDlg::ShowFiles(const std::string& source, const std::string& destination)
{
    m_source = source;
    m_destination = destination;
}

void CCopyProgressDlg::SetBarRange(std::uint32_t range)
{
    m_barRange = range;
    m_barPosition = 0;
}

void CCopyProgressDlg::AdvanceBar(std::uint32_t delta)
{
    m_barPosition += delta;
}

void CCopyProgressDlg::ShowProgress(const ProgressLines& lines)
{
    m_lines = lines;
}

void CCopyProgressDlg::Paint()
{
    const auto set = [](wxStaticText* control, const std::string& text) {
        const wxString value = ToWx(text);
        if (control->GetLabel() != value)
            control->SetLabel(value);
    };
    set(m_pSource, m_source);
    set(m_pDestination, m_destination);
    set(m_pStatus, m_lines.status);
    set(m_pTimeLeft, m_lines.timeLeft);
    set(m_pPercent, m_lines.percent);
    if (m_pBar->GetRange() != static_cast<int>(m_barRange))
        m_pBar->SetRange(static_cast<int>(m_barRange));
    m_pBar->SetValue(static_cast<int>(std::min(m_barPosition, m_barRange)));
}

void CCopyProgressDlg::PumpMessages()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastPump < kPumpInterval)
        return;
    m_lastPump = now;
    Paint();
    // Everything waiting is dispatched (the Cancel button among it), then idle processing keeps
    // menus and bars current. This dialog may be destroyed inside; nothing of it is used after.
    wxTheApp->Yield(true);
    for (int round = 0; round < kIdleRounds && wxTheApp->ProcessIdle(); ++round) {
    }
}

void CCopyProgressDlg::Dismiss()
{
    m_pTransfer = nullptr;
    Destroy();
}

void CCopyProgressDlg::CancelTransfer()
{
    CFileTransfer* transfer = std::exchange(m_pTransfer, nullptr);
    transfer->RequestCancel();
    transfer->ForgetDialog();
}

void CCopyProgressDlg::OnCancel(wxCommandEvent&)
{
    if (m_pTransfer)
        CancelTransfer();
    Destroy();
}

void CCopyProgressDlg::OnClose(wxCloseEvent&)
{
    if (m_pTransfer)
        CancelTransfer();
    Destroy();
}

#include "app/SessionStatusDlg.h"

#include "net/FtpSession.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

wxIMPLEMENT_CLASS(CSessionStatusDlg, wxDialog);

wxBEGIN_EVENT_TABLE(CSessionStatusDlg, wxDialog)
    EVT_INIT_DIALOG(CSessionStatusDlg::OnInitDialog)
    EVT_BUTTON(CSessionStatusDlg::IDC_CLEAR, CSessionStatusDlg::OnClear)
wxEND_EVENT_TABLE()

namespace {
// The dialog's layout in dialog units.
const wxSize kLogSize(251, 114);
const wxSize kButtonSize(50, 14);
constexpr int kMargin = 7;
} // namespace

CSessionStatusDlg::CSessionStatusDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "FTP Session Status", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    m_pLogText = new wxTextCtrl(this, IDC_LOG_TEXT, wxEmptyString, wxDefaultPosition, ConvertDialogToPixels(kLogSize),
                                wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxHSCROLL | wxVSCROLL | wxBORDER_SUNKEN);
    auto* ok = new wxButton(this, wxID_OK, "OK", wxDefaultPosition, ConvertDialogToPixels(kButtonSize));
    auto* clear = new wxButton(this, IDC_CLEAR, "&Clear", wxDefaultPosition, ConvertDialogToPixels(kButtonSize));
    ok->SetDefault();

    const int margin = ConvertDialogToPixels(wxSize(kMargin, kMargin)).x;
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(ok);
    buttons->AddStretchSpacer();
    buttons->Add(clear);
    buttons->AddStretchSpacer();
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(m_pLogText, 1, wxEXPAND | wxALL, margin);
    column->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, margin);
    SetSizerAndFit(column);
    CentreOnParent();
}

void CSessionStatusDlg::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    // A snapshot: what arrives while the dialog is open goes to the log only.
    const std::string log = ShownLogText(SessionLog(), kShownLogBytes);
    wxString text = wxString::FromUTF8(log);
    if (text.empty() && !log.empty())
        text = wxString::From8BitData(log.data(), log.size());   // a host name typed in another encoding
    m_pLogText->ChangeValue(text);
}

void CSessionStatusDlg::OnClear(wxCommandEvent&)
{
    SessionLog().clear();
    m_pLogText->ChangeValue(wxEmptyString);
}

std::string ShownLogText(const std::string& log, std::size_t limit)
{
    if (log.size() <= limit)
        return log;
    // A line is whole when the byte before it ends the line before.
    std::size_t start = log.size() - limit;
    const std::size_t lineStart = log.find('\n', start - 1);
    start = lineStart == std::string::npos ? log.size() : lineStart + 1;
    return "(" + std::to_string(start) + " bytes of older lines are not shown)\r\n" + log.substr(start);
}

#pragma once
// CSessionStatusDlg: "FTP Session Status", the session log as it stood when the dialog opened,
// with Clear to empty the log.

#include <wx/dialog.h>

class wxTextCtrl;

class CSessionStatusDlg : public wxDialog {
public:
    static constexpr int IDC_LOG_TEXT = 1028;
    static constexpr int IDC_CLEAR = 1029;

    explicit CSessionStatusDlg(wxWindow* parent);

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnClear(wxCommandEvent& event);

    wxTextCtrl* m_pLogText = nullptr;   // child window

    wxDECLARE_CLASS(CSessionStatusDlg);
    wxDECLARE_EVENT_TABLE();
};

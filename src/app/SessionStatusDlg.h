#pragma once
// CSessionStatusDlg: "FTP Session Status", the session log as it stood when the dialog opened,
// with Clear to empty the log.

#include <wx/dialog.h>

#include <cstddef>
#include <string>

class wxTextCtrl;

class CSessionStatusDlg : public wxDialog {
public:
    static constexpr int IDC_LOG_TEXT = 1028;
    static constexpr int IDC_CLEAR = 1029;
    // The text box lays out what it holds at once, which takes seconds for megabytes, so a
    // longer log is shown from its newest lines back to about this size, as an edit control
    // with a size limit would; the log itself keeps everything until Clear.
    static constexpr std::size_t kShownLogBytes = 256 * 1024;

    explicit CSessionStatusDlg(wxWindow* parent);

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnClear(wxCommandEvent& event);

    wxTextCtrl* m_pLogText = nullptr;   // child window

    wxDECLARE_CLASS(CSessionStatusDlg);
    wxDECLARE_EVENT_TABLE();
};

// What the dialog shows of `log`: all of it, or when it is longer than `limit`, a line saying
// how much is left out followed by its newest whole lines within `limit`.
std::string ShownLogText(const std::string& log, std::size_t limit);

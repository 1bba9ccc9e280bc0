#pragma once
// CAboutDlg: "About Ferrix FTP": the program's icon, its version, three publisher lines, the free
// memory and the free space on the current drive, and OK.

#include <wx/dialog.h>

class CAboutDlg : public wxDialog {
public:
    // Window identifiers of the lines filled at initialisation.
    static constexpr int IDC_VERSION = 1037;
    static constexpr int IDC_MEMORY = 1014;
    static constexpr int IDC_DISK = 1015;

    explicit CAboutDlg(wxWindow* parent);

    bool TransferDataToWindow() override;

private:
    void SetLine(int id, const std::string& text);
};

// The About command: runs the About box modally over `parent`.
void RunAboutBox(wxWindow* parent);

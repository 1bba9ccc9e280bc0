#pragma once
// CCopyProgressDlg: the modeless "Copying..." dialog of a copy batch. It shows the file being
// copied, kilobytes done and rate, the time left, a bar and a percentage; Cancel, Escape and the
// close box all cancel the batch. It deletes itself when its window is destroyed, and a window
// destroyed any other way (its owner closing) cancels the batch too, so that the transfer never
// reaches a dialog that is gone.
//
// Painting and pumping follow the screen's pace: the transfer reports every block, the dialog
// shows the latest state and lets the program run at most every kPumpInterval, which keeps the
// window live without costing the copy its speed.

#include "net/CopyProgress.h"

#include <wx/dialog.h>

#include <chrono>

class wxGauge;
class wxStaticText;

enum CopyProgressControl {
    IDC_PROGRESS_BAR = 1025,
    IDC_SOURCE_TEXT = 1026,
    IDC_DESTINATION_TEXT = 1027,
    IDC_STATUS_TEXT = 1028,
    IDC_TIME_LEFT_TEXT = 1035,
    IDC_PERCENT_TEXT = 1036,
};

class CCopyProgressDlg : public wxDialog, public CopyProgress {
public:
    static constexpr std::chrono::milliseconds kPumpInterval{50};

    // Shown at once, centred over `parent` (the main frame).
    explicit CCopyProgressDlg(wxWindow* parent);
    ~CCopyProgressDlg() override;

    void AttachTransfer(CFileTransfer* transfer) override;
    void ShowFiles(const std::string& source, const std::string& destination) override;
    void SetBarRange(std::uint32_t range) override;
    void AdvanceBar(std::uint32_t delta) override;
    void ShowProgress(const ProgressLines& lines) override;
    void PumpMessages() override;
    void Dismiss() override;

private:
    void CreateControls();
    void Paint();
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void CancelTransfer();

    CFileTransfer* m_pTransfer = nullptr;
    wxStaticText* m_pSource = nullptr;
    wxStaticText* m_pDestination = nullptr;
    wxStaticText* m_pStatus = nullptr;
    wxStaticText* m_pTimeLeft = nullptr;
    wxStaticText* m_pPercent = nullptr;
    wxGauge* m_pBar = nullptr;

    // What the next paint shows.
    std::string m_source;
    std::string m_destination;
    ProgressLines m_lines;
    std::uint32_t m_barRange = 0;
    std::uint32_t m_barPosition = 0;
    std::chrono::steady_clock::time_point m_lastPump{};

    wxDECLARE_EVENT_TABLE();
};

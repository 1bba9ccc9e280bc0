#pragma once
// CPropertySheet: a tabbed dialog of CPropertyPages with OK and Cancel. Leaving a page reads
// it back (and may refuse); OK reads back the page it is pressed on, then gives every page
// that was shown its OK processing, then closes.

#include <wx/bookctrl.h>
#include <wx/propdlg.h>

class CPropertyPage;

class CPropertySheet : public wxPropertySheetDialog {
public:
    CPropertySheet(wxWindow* parent, const wxString& caption);
    ~CPropertySheet() override;

    // The page becomes a child of the book; create it with GetBookCtrl() as its parent.
    void AddPage(CPropertyPage* page);
    // Lays the sheet out around its pages; call once after the last AddPage.
    void FinishPages();

    // The page to open on (or to switch to without leaving the current one, before showing).
    void SetActivePage(int index);
    int GetActiveIndex() const;
    int GetPageCount() const;
    CPropertyPage* GetPage(int index) const;

protected:
    // Runs as the sheet closes, either way, while its pages still exist.
    virtual void OnClosing() {}

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnPageChanging(wxBookCtrlEvent& event);
    void OnPageChanged(wxBookCtrlEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void EndSheet(int code);

    bool m_bOpened = false;
};

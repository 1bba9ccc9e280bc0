#pragma once
// CPropertyPage: one tab of a CPropertySheet, exchanging members with its controls by the
// classic property-page rules: the controls are filled from the members when the page is
// first shown, the members are read back when the user leaves the page and when OK is
// pressed on it, and a page that was never shown keeps the values it was given.

#include <wx/panel.h>
#include <wx/string.h>

class CPropertyPage : public wxPanel {
public:
    // `parent` is the sheet's book control; `caption` is the page's tab text.
    CPropertyPage(wxWindow* parent, const wxString& caption);

    const wxString& GetCaption() const { return m_caption; }
    bool IsInitialised() const { return m_bInitialised; }

    // Called by the sheet. The first activation fills the controls and runs OnInitPage.
    void Activate();
    // Reads the controls back into the members; false (after telling the user) keeps the
    // user on the page.
    virtual bool OnKillActive() = 0;
    // Runs on every shown page when the sheet closes with OK.
    virtual void OnOK() {}

protected:
    virtual void FillControls() = 0;
    virtual void OnInitPage() {}

private:
    wxString m_caption;
    bool m_bInitialised = false;
};

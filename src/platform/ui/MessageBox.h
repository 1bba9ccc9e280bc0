#pragma once
// The one door through which the program shows a message box or asks a question. Tests
// install an answerer that sees every text and answers by script instead of a window.

#include <functional>
#include <string>

class wxWindow;

// style: wxOK, wxYES_NO, wxOK | wxCANCEL, optionally with wxICON_*; the result is wxOK, wxYES,
// wxNO or wxCANCEL, as wxMessageBox answers.
int AfxMessageBox(const std::string& text, long style = 0);

// The window a message box or a dialog opened now belongs on top of: the newest modal dialog
// that is shown, else the active top-level window, else the application's top window (null
// when none is shown).
wxWindow* MessageBoxParent();

using MessageBoxAnswerer = std::function<int(const std::string& text, long style)>;
// Replaces the answerer for the lifetime of the object; nests.
class ScopedMessageBoxAnswerer {
public:
    explicit ScopedMessageBoxAnswerer(MessageBoxAnswerer answerer);
    ~ScopedMessageBoxAnswerer();
    ScopedMessageBoxAnswerer(const ScopedMessageBoxAnswerer&) = delete;
    ScopedMessageBoxAnswerer& operator=(const ScopedMessageBoxAnswerer&) = delete;

private:
    MessageBoxAnswerer m_previous;
};

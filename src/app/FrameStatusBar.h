#pragma once
// The main frame's status bar. The generic status bar (GTK, macOS) repaints a field at once,
// synchronously, whenever its text changes; the FTP library's notifications change the text
// several times per command, so a copy of many small files spent more time painting the status
// bar than moving the files. This one changes the text at once but only marks the field for
// repainting: the copy loop and long network waits pump the window's events, and the field is
// painted with them. The native status bar (Windows) updates its text cheaply and stays as is.

#include <wx/statusbr.h>

class CFrameStatusBar : public wxStatusBar {
public:
    using wxStatusBar::wxStatusBar;

protected:
#if !(defined(__WXMSW__) && wxUSE_NATIVE_STATUSBAR)
    void DoUpdateStatusText(int number) override;
#endif
};

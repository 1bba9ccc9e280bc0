#include "app/FrameStatusBar.h"

#if !(defined(__WXMSW__) && wxUSE_NATIVE_STATUSBAR)
void CFrameStatusBar::DoUpdateStatusText(int number)
{
    wxRect field;
    if (GetFieldRect(number, field))
        RefreshRect(field);
}
#endif

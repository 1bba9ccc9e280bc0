#pragma once
// ShareSplitter: a splitter whose first pane keeps its share of the splitter's length through
// every resize, as the user left it. A plain splitter keeps pixels, and a window manager that
// sizes the frame in steps at start-up (or a frame squeezed for a moment) leaves one pane a few
// pixels high for good.

#include <wx/splitter.h>

class ShareSplitter : public wxSplitterWindow {
public:
    static constexpr int kMinimumPaneSize = 40;

    explicit ShareSplitter(wxWindow* parent);

    // The first pane's share of the length, 0 to 1.
    double GetShare() const { return m_share; }
    // Sets the share and moves the sash to it now (or once the splitter has a size).
    void SetShare(double share);
    // The share a sash at `position` gives.
    double ShareOf(int position) const;
    // True while the splitter fits itself to a new size: a sash move it tells of then is none
    // of the user's.
    bool IsResizing() const { return m_resizing; }

private:
    void OnSize(wxSizeEvent& event);
    void OnSashMoved(wxSplitterEvent& event);
    int Length() const;
    void ApplyShare();

    double m_share = 0.5;
    bool m_resizing = false;

    wxDECLARE_EVENT_TABLE();
};

#include "app/ShareSplitter.h"

#include <algorithm>
#include <cmath>

wxBEGIN_EVENT_TABLE(ShareSplitter, wxSplitterWindow)
    EVT_SIZE(ShareSplitter::OnSize)
    EVT_SPLITTER_SASH_POS_CHANGED(wxID_ANY, ShareSplitter::OnSashMoved)
wxEND_EVENT_TABLE()

ShareSplitter::ShareSplitter(wxWindow* parent)
    : wxSplitterWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                       wxSP_LIVE_UPDATE | wxSP_3DSASH | wxSP_NO_XP_THEME)
{
    SetMinimumPaneSize(kMinimumPaneSize);
}

int ShareSplitter::Length() const
{
    const wxSize size = GetClientSize();
    return GetSplitMode() == wxSPLIT_VERTICAL ? size.GetWidth() : size.GetHeight();
}

double ShareSplitter::ShareOf(int position) const
{
    const int length = Length();
    return length > 0 ? std::clamp(static_cast<double>(position) / length, 0.0, 1.0) : m_share;
}

void ShareSplitter::SetShare(double share)
{
    m_share = std::clamp(share, 0.0, 1.0);
    ApplyShare();
}

void ShareSplitter::ApplyShare()
{
    const int length = Length();
    // Too small to hold both panes: the share waits for a real size rather than be clamped.
    if (!IsSplit() || length < 2 * kMinimumPaneSize + GetSashSize())
        return;
    const int position = static_cast<int>(std::lround(m_share * length));
    if (position != GetSashPosition())
        SetSashPosition(position);
}

void ShareSplitter::OnSize(wxSizeEvent& event)
{
    // The base class moves the sash to fit the new size and tells of it as of a move; that is
    // no choice of the user's and must not change the share.
    m_resizing = true;
    wxSplitterWindow::OnSize(event);
    m_resizing = false;
    ApplyShare();
}

void ShareSplitter::OnSashMoved(wxSplitterEvent& event)
{
    // Splitter events travel up to the parent window, which may be a splitter too.
    if (!m_resizing && event.GetEventObject() == this)
        m_share = ShareOf(event.GetSashPosition());
    event.Skip();
}

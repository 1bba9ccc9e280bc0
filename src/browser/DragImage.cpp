#include "browser/DragImage.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include <algorithm>

namespace {
// Space between the icon and the label, and around both.
constexpr int kGap = 3;
} // namespace

DragImage::DragImage(wxWindow* parent, const wxBitmap& image, const wxPoint& hotSpot)
    : m_popup(new wxPopupWindow(parent, wxBORDER_SIMPLE)), m_image(image),
      // The pointer is always on the picture, also when the drag began beside the item's text.
      m_hotSpot(std::clamp(hotSpot.x, 0, std::max(image.GetWidth() - 1, 0)),
                std::clamp(hotSpot.y, 0, std::max(image.GetHeight() - 1, 0)))
{
    m_popup->SetClientSize(m_image.GetWidth(), m_image.GetHeight());
    m_popup->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(m_popup);
        dc.DrawBitmap(m_image, 0, 0, true);
    });
}

DragImage::~DragImage()
{
    if (m_popup)
        m_popup->Destroy();
}

void DragImage::Enter(const wxPoint& screenPos)
{
    Move(screenPos);
    if (m_popup && !m_popup->IsShown())
        m_popup->Show();
}

void DragImage::Move(const wxPoint& screenPos)
{
    if (m_popup)
        m_popup->Move(screenPos - m_hotSpot);
}

void DragImage::Leave()
{
    if (m_popup)
        m_popup->Hide();
}

bool DragImage::IsShown() const
{
    return m_popup && m_popup->IsShown();
}

wxRect DragImage::GetScreenRect() const
{
    return IsShown() ? m_popup->GetScreenRect() : wxRect();
}

wxBitmap MakeDragBitmap(const wxBitmap& icon, const wxString& label, const wxFont& font)
{
    wxMemoryDC measure;
    measure.SetFont(font);
    const wxSize text = measure.GetTextExtent(label);
    const int iconWidth = icon.IsOk() ? icon.GetWidth() + kGap : 0;
    const int height = std::max(text.GetHeight(), icon.IsOk() ? icon.GetHeight() : 0) + 2 * kGap;
    wxBitmap bitmap(iconWidth + text.GetWidth() + 2 * kGap, height);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
    dc.Clear();
    if (icon.IsOk())
        dc.DrawBitmap(icon, kGap, (height - icon.GetHeight()) / 2, true);
    dc.SetFont(font);
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    dc.DrawText(label, kGap + iconWidth, (height - text.GetHeight()) / 2);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

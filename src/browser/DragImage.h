#pragma once
// DragImage: the picture of what is being dragged (a folder's icon and label, or a file row),
// following the pointer over the whole window. It is a small borderless popup rather than a
// drawing on the screen, because a drawing on the screen shows nothing on GTK 3 and one inside
// the source pane would be cut off at its edges.

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/popupwin.h>
#include <wx/weakref.h>

class wxWindow;
class wxFont;

class DragImage {
public:
    // `hotSpot`: the point of the image that stays under the pointer.
    DragImage(wxWindow* parent, const wxBitmap& image, const wxPoint& hotSpot);
    ~DragImage();
    DragImage(const DragImage&) = delete;
    DragImage& operator=(const DragImage&) = delete;

    // Shows the image with its hot spot at `screenPos`.
    void Enter(const wxPoint& screenPos);
    void Move(const wxPoint& screenPos);
    // Hides the image (until the next Enter).
    void Leave();
    bool IsShown() const;
    // Where the image is, in screen coordinates (empty while hidden).
    wxRect GetScreenRect() const;

private:
    // The popup is a child of the source pane: it goes with the pane, should the pane go first.
    wxWeakRef<wxPopupWindow> m_popup;
    wxBitmap m_image;
    wxPoint m_hotSpot;
};

// The picture of an item: `icon` (may be invalid) followed by `label`, in `font`.
wxBitmap MakeDragBitmap(const wxBitmap& icon, const wxString& label, const wxFont& font);

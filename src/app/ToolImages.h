#pragma once
// The toolbar's button images: 16 by 15 pixels as the toolbar was drawn, from the theme's art,
// an enabled and a disabled image that differ at a glance.

#include <wx/artprov.h>
#include <wx/bitmap.h>

inline const wxSize kToolImageSize(16, 15);

struct ToolImages {
    wxBitmap enabled;
    wxBitmap disabled;
};

ToolImages MakeToolImages(const wxArtID& art);

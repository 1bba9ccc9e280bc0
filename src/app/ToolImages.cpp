#include "app/ToolImages.h"

#include <wx/image.h>

#include <algorithm>

namespace {
// The theme's toolbar art is mostly pale grey line art, which reads as disabled next to the
// coloured buttons. Grey pixels are darkened for the enabled image; the disabled image is a
// grey, half-transparent copy, so that the two states differ at a glance.
constexpr int kGreyTolerance = 40;          // channel spread below which a pixel counts as grey
constexpr double kGreyDarkening = 0.4;      // enabled: grey pixels keep this much brightness
constexpr double kDisabledOpacity = 0.4;    // disabled: the share of opacity kept
} // namespace

ToolImages MakeToolImages(const wxArtID& art)
{
    wxImage image = wxArtProvider::GetBitmap(art, wxART_TOOLBAR, wxSize(kToolImageSize.x, kToolImageSize.x)).ConvertToImage();
    if (!image.IsOk())
        return {};
    if (image.GetWidth() != kToolImageSize.x)
        image.Rescale(kToolImageSize.x, kToolImageSize.x, wxIMAGE_QUALITY_HIGH);
    // 16 by 15 as the toolbar was drawn: the art's bottom row is its padding, cut rather than
    // squeezed, so no line is blurred.
    image = image.GetSubImage(wxRect(0, 0, kToolImageSize.x, kToolImageSize.y));
    if (!image.HasAlpha())
        image.InitAlpha();

    wxImage disabled = image.ConvertToGreyscale();
    const int pixels = image.GetWidth() * image.GetHeight();
    unsigned char* rgb = image.GetData();
    unsigned char* alpha = disabled.GetAlpha();
    for (int i = 0; i < pixels; ++i) {
        unsigned char* pixel = rgb + 3 * i;
        const int spread = std::max({pixel[0], pixel[1], pixel[2]}) - std::min({pixel[0], pixel[1], pixel[2]});
        if (spread < kGreyTolerance) {
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = static_cast<unsigned char>(pixel[channel] * kGreyDarkening);
        }
        alpha[i] = static_cast<unsigned char>(alpha[i] * kDisabledOpacity);
    }
    return {wxBitmap(image), wxBitmap(disabled)};
}

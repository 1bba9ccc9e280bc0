#include "app/ProgramIcons.h"

#include "res/ResourceFiles.h"

#include <wx/image.h>
#include <wx/imagpng.h>

#include <string>

namespace {
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

wxImage LoadIconImage(int size)
{
    return LoadResourceImage("images/icon-" + std::to_string(size) + ".png");
}
} // namespace

wxImage LoadResourceImage(const std::string& relative)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    const std::string file = FindResourceFile(relative);
    wxImage image;
    if (!file.empty())
        image.LoadFile(wxString::FromUTF8(file), wxBITMAP_TYPE_PNG);
    return image;
}

wxIconBundle ProgramIconBundle()
{
    wxIconBundle bundle;
    for (int size : kIconSizes) {
        const wxImage image = LoadIconImage(size);
        if (image.IsOk()) {
            wxIcon icon;
            icon.CopyFromBitmap(wxBitmap(image));
            bundle.AddIcon(icon);
        }
    }
    return bundle;
}

wxBitmap ProgramIconBitmap(int size)
{
    for (int drawn : kIconSizes) {
        if (drawn < size)
            continue;
        wxImage image = LoadIconImage(drawn);
        if (!image.IsOk())
            continue;
        if (drawn != size)
            image.Rescale(size, size, wxIMAGE_QUALITY_HIGH);
        return wxBitmap(image);
    }
    return wxBitmap();
}

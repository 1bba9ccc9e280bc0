#include "app/FramePlacement.h"

#include <algorithm>

wxRect FitInWorkArea(wxSize size, std::optional<wxPoint> place, const wxRect& area)
{
    size.DecTo(area.GetSize());
    const wxPoint middle(area.x + (area.width - size.x) / 2, area.y + (area.height - size.y) / 2);
    wxPoint origin = place.value_or(middle);
    origin.x = std::clamp(origin.x, area.x, area.x + area.width - size.x);
    origin.y = std::clamp(origin.y, area.y, area.y + area.height - size.y);
    return wxRect(origin, size);
}

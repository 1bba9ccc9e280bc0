#pragma once
// Where the main frame comes up: wholly inside the screen's work area, so that no window
// manager's placement can hide its lower row below the screen's edge.

#include <wx/gdicmn.h>

#include <optional>

// `size` (the frame with its border) shrunk to fit `area`, at `place` moved just far enough to
// lie inside `area`, or in the middle of `area` when there is no place. A saved place and size
// that fit come back unchanged.
wxRect FitInWorkArea(wxSize size, std::optional<wxPoint> place, const wxRect& area);

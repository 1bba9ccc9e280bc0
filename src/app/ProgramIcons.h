#pragma once
// The program's icon, drawn at several sizes (res/images/icon-<size>.png): for the main window,
// the About box and the desktop entry.

#include <wx/bitmap.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

#include <string>

// Every size of the icon that the resources hold; empty when none can be read.
wxIconBundle ProgramIconBundle();
// The icon at `size` pixels square, scaled from the nearest larger drawing; invalid when none
// can be read.
wxBitmap ProgramIconBitmap(int size);
// A PNG picture of the resources ("images/splash.png"); invalid when it cannot be read.
wxImage LoadResourceImage(const std::string& relative);

#pragma once
// The program's help: the user guide of res/help, shown in wxWidgets' HTML help viewer. The
// viewer belongs to the main window: it is made on first use and closed with that window.

#include <string>

class wxHtmlHelpController;
class wxWindow;

// "&Help Topics": the guide's contents.
void ShowHelpContents(wxWindow* mainFrame);
// One page of the guide ("browsing.html"); the contents when the page is not in the guide.
void ShowHelpPage(wxWindow* mainFrame, const std::string& page);
// The page that tells about `window` (a tree, a file list, the toolbar...), else the contents.
std::string HelpPageFor(const wxWindow* window);
// Context help: the pointer becomes a question mark until the next click, and the click shows
// the page about what it landed on instead of acting on it. Escape or a right click cancels.
void StartContextHelp(wxWindow* mainFrame);
bool InContextHelp();

// The viewer, or null before help was first shown (tests read what it shows).
wxHtmlHelpController* GetHelpController();

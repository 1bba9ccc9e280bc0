#pragma once
// Reading what the panes show.

#include <wx/treebase.h>

#include <string>
#include <vector>

class BrowserItem;
class CBrowserView;
class CMainFrame;
class FileView;

std::vector<std::string> ChildLabels(CBrowserView& tree, const wxTreeItemId& item);
// The child of `item` with this label, or an invalid id.
wxTreeItemId FindChild(CBrowserView& tree, const wxTreeItemId& item, const std::string& label);
// Follows labels from the root: {"C:", "docs", "old"}.
wxTreeItemId FindPath(CBrowserView& tree, const std::vector<std::string>& labels);

// Column `column` of every row, top to bottom.
std::vector<std::string> ListColumn(FileView& list, int column);
// Selects exactly the rows with these names, as ctrl-clicks would.
void SelectRows(FileView& list, const std::vector<std::string>& names);

// The data of a tree item; a missing item or one without data fails the test (and gives an
// empty record) instead of crashing it.
const BrowserItem& ItemData(CBrowserView& tree, const wxTreeItemId& item);
// The status bar's message pane.
std::string StatusText(CMainFrame& frame);

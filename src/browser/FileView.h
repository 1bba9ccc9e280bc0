#pragma once
// FileView: the file list beside a region's tree, a report of the files of the directory
// selected there. It never reads a disk or server itself. The rows live in the view (a virtual
// list), so directories of a hundred thousand files show and sort quickly.

#include <wx/listctrl.h>
#include <wx/treebase.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class BrowserItem;
class CBrowserView;
class IPaneHost;

class FileView : public wxListCtrl {
public:
    FileView(wxWindow* parent, wxWindowID id = wxID_ANY);

    // Replaces all rows by the entries of `item`, in stored order (none for null).
    void ShowFiles(const BrowserItem* item);
    // Sorts the rows by the host's arrange order: 0 by name, 1 by date, 2 by type.
    void SortFiles();

    int GetSelectedCount() const { return wxListCtrl::GetSelectedItemCount(); }

    int m_nPane = 2;
    CBrowserView* m_pTree = nullptr;
    wxTreeItemId m_hShownDir;
    IPaneHost* m_pHost = nullptr;

    enum Column { kColumnName = 0, kColumnSize = 1, kColumnModified = 2 };

private:
    struct Row {
        std::string name;   // the file's true name; shown as ShownName(name)
        std::string size;
        std::string modified;
        std::optional<std::int64_t> modifiedTime;
    };

    void SortRows();
    wxString OnGetItemText(long item, long column) const override;
    void OnColumnClick(wxListEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnBeginLabelEdit(wxListEvent& event);
    void OnEndLabelEdit(wxListEvent& event);
    void OnSetFocus(wxFocusEvent& event);

    std::vector<Row> m_rows;

    wxDECLARE_EVENT_TABLE();
};

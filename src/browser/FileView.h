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

    // --- the file commands (FileViewCommands.cpp) ---
    // Opens the first selected row's name for editing; confirming it renames the file.
    void StartRename();
    // Deletes the selected files, without asking; each file that cannot be deleted says so
    // and keeps its row.
    void DeleteFiles();

    // --- dragging (FileViewDrag.cpp) ---
    // Starts dragging the selected files (at least `row`'s) from where the pointer is; false
    // when there is nothing to drag or a copy batch is running (which also beeps).
    bool BeginListDrag(long row);
    // Follows the pointer at `point` (the inner window's client coordinates) during a drag;
    // false when none is in progress.
    bool TrackDrag(const wxPoint& point);
    // The button went up while this list held the mouse: the files go into the directory the
    // list shows, or the drop is refused with a beep. False when no drag was in progress.
    bool DropOnList();
    // Ends a drag in progress without copying.
    void CancelDrag();

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
    void OnBeginDrag(wxListEvent& event);

    // The shown directory's data, or null when the list shows none.
    BrowserItem* ShownItem() const;
    // The full path of the file `name` in the shown directory.
    std::string ShownPath(const std::string& name) const;

    // Copies of the shown directory's entries, in the order shown: a rename or delete changes
    // the entry and its row together.
    std::vector<Row> m_rows;

    wxDECLARE_EVENT_TABLE();
};

#pragma once
// CBrowserView: the directory tree of one region. It shows the local machine ("Local Machine"
// with one child per drive) or one FTP host, and reads each directory the first time it is
// expanded or selected. Files are never tree items: they are kept as entries of their
// directory's BrowserItem for the region's file list.

#include "browser/TreeItemRef.h"

#include <wx/imaglist.h>
#include <wx/treectrl.h>

#include <memory>
#include <string>
#include <vector>

class CFileTransfer;
class CFtpConnection;
class FileView;
class IPaneHost;

class CBrowserView : public wxTreeCtrl {
public:
    CBrowserView(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~CBrowserView() override;

    // --- the item operations every part of the browser uses ---
    // The root (the first top-level item) as a reference.
    TreeItemRef GetRootRef() const;
    // `name` is the directory's true name; the item shows it as ShownName(name).
    TreeItemRef AddItem(const TreeItemRef& parent, const std::string& name, bool expandable, bool newFolder = false);
    void AddPlaceholder(const TreeItemRef& item);
    void FreeItemData(const TreeItemRef& item, bool recursive);
    void RemoveItem(const TreeItemRef& item);
    void RemoveChildren(const TreeItemRef& item);
    void ResetFiles(const TreeItemRef& item);
    void ClearTree();
    void GetItemPath(const TreeItemRef& item, std::string& path) const;
    TreeItemRef Ref(const wxTreeItemId& id) { return TreeItemRef(id, this); }

    // --- roots and reading ---
    void SetRoot(CFtpConnection* connection);
    // Lets go of the connection before it closes: the tree keeps what it shows and from then on
    // acts as a tree without a host, until it is rooted again.
    void DetachConnection();
    void EnsureListed(const TreeItemRef& item, bool subtree);
    void ListDirectory(const TreeItemRef& item, const std::string& path, CFtpConnection* endpoint, bool recursive);
    void RefreshFolder();
    void ExpandAllSubDirs();
    void RefreshAll();
    // Shows the files of `item` in the region's file list.
    void ShowItemFiles(const TreeItemRef& item);

    // --- the file commands (BrowserViewCommands.cpp) ---
    // Adds a pending "New Folder" under the selection and opens its label for editing; the
    // directory is made when the edit is confirmed.
    void NewFolder();
    // Opens the selected item's label for editing; confirming it renames the directory.
    void StartRename();
    // Asks, then deletes the selected directory with everything in it.
    void DeleteDirectory();
    // Deletes `item`'s directory depth first and removes it from the tree; 1 on success. Does
    // nothing unless every real directory below it has been read; the first failure stops it,
    // leaving what was not deleted yet in place on disk and in the tree.
    int DeleteTree(const TreeItemRef& item);
    // Delete is offered for any selected directory but the root and the local drives.
    bool CanDeleteSelection() const;
    // A drive of the local machine (a child of the "Local Machine" root).
    bool IsDriveItem(const TreeItemRef& item) const;
    // The local machine, or a host still connected: a tree whose connection was taken back
    // shows what it had, but its paths name nothing, so nothing is changed through it.
    bool HasEndpoint() const;

    // --- dragging (BrowserViewDrag.cpp) ---
    // Starts dragging `item`'s directory from where the pointer is; false when the item cannot
    // be dragged (nothing stands behind it, it is the "Local Machine" root or a drive, or a copy
    // batch is running, which also beeps).
    bool BeginTreeDrag(const TreeItemRef& item);
    // Follows the pointer at `point` (client coordinates) during a drag; false when none is
    // in progress.
    bool TrackDrag(const wxPoint& point);
    // The button went up at `point` (client coordinates) while this tree held the mouse: the
    // item there receives the drop, or the drop is refused with a beep. False when no drag
    // was in progress.
    bool DropOnTree(const wxPoint& point);
    // Ends a drag in progress without copying.
    void CancelDrag();
    // Marks `item` as the drop target (null clears the mark).
    void SetDropHighlight(const TreeItemRef& item);
    void ClearDropHighlight();
    wxTreeItemId GetDropHighlight() const { return m_hDropHighlight; }

    // --- copying by drop (BrowserViewCopy.cpp); this tree is the target ---
    // Copies the dragged files (DragState::names of the source list's directory) into the drag's
    // target item.
    void DropFiles();
    // Copies the dragged directory with everything below it into the drag's target item.
    void DropDirectory();
    // Makes `sourceItem`'s directory under `targetParent`, copies its files, then its
    // subdirectories one after another, depth first. 1 to go on, 0 once a directory could not
    // be made or the user cancelled: everything after it stops.
    static int CopyTree(CFileTransfer& transfer, CBrowserView& sourceTree, CBrowserView& targetTree,
                        const TreeItemRef& sourceItem, const TreeItemRef& targetParent);
    // Whether `item` is `ancestor` or lies below it.
    bool IsWithin(const TreeItemRef& item, const TreeItemRef& ancestor) const;

    TreeItemRef m_root;
    std::string m_strRootLabel;
    int m_nPane = 0;
    wxImageList m_imageList;
    CFtpConnection* m_pConnection = nullptr;
    FileView* m_pFileView = nullptr;
    int m_bRooted = 0;
    std::string m_strRootDir;
    IPaneHost* m_pHost = nullptr;

    // Images of the tree's items: closed folder, open folder (selected), and a folder that
    // could not be read (the two between are never drawn).
    static constexpr int kImageClosedFolder = 0;
    static constexpr int kImageOpenFolder = 1;
    static constexpr int kImageUnreadFolder = 4;
    // Expand All reads this many levels below the directory it starts from; deeper directories
    // stay unread. A server that shows a directory inside itself for ever cannot exhaust the
    // stack this way.
    static constexpr int kExpandAllDepthLimit = 256;

    // Tree sorting for SortChildren: case-insensitive by label (the names as shown).
    int OnCompareItems(const wxTreeItemId& first, const wxTreeItemId& second) override;

private:
    void OnItemExpanding(wxTreeEvent& event);
    void OnSelChanged(wxTreeEvent& event);
    void OnItemActivated(wxTreeEvent& event);
    void OnBeginLabelEdit(wxTreeEvent& event);
    void OnEndLabelEdit(wxTreeEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnRightUp(wxMouseEvent& event);
    void OnSelChanging(wxTreeEvent& event);
    void OnBeginDrag(wxTreeEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    // The item whose icon or label is at `point` (client coordinates): where a drag starts and
    // where a drop lands.
    TreeItemRef ItemLabelAt(const wxPoint& point);
    // Answers a drop on `target`, by the rules of where a drop may go.
    void DropOn(const TreeItemRef& target);
    // Where a copy may land: a directory of this tree that exists, not the "Local Machine" root.
    bool AcceptsDropOn(const TreeItemRef& target) const;

    // Re-reading a directory drops its children, except pending new folders: their label edit
    // decides what becomes of them.
    void RemoveChildrenForReread(const TreeItemRef& item);
    // True when `item` and every real directory below it has been read (links and pending new
    // folders have nothing to read).
    bool IsFullyRead(const TreeItemRef& item) const;
    // Makes or renames the edited item's directory as `name` (a true name) and shows the result.
    void CommitLabel(const TreeItemRef& item, const std::string& name);
    // The list shows files of the tree's items and the label edit names one: both are forgotten
    // when the item goes.
    void ForgetRemovedItem(const TreeItemRef& item);

    // The item whose label is being edited, until the edit has been handled.
    wxTreeItemId m_hEditedItem;
    // The item shown as the drop target (on GTK the mark looks like the selection).
    wxTreeItemId m_hDropHighlight;
    // Where the left button last went down (client coordinates).
    wxPoint m_ptPress;

    // Adds one unread child per name (`names` in the order of their labels) and returns them
    // in that order.
    std::vector<TreeItemRef> AddSortedChildren(const TreeItemRef& parent, const std::vector<std::string>& names);
    // Reads `item` and, when `levelsBelow` is above 0, that many levels of directories below it.
    void ListLevels(const TreeItemRef& item, const std::string& path, CFtpConnection* endpoint, int levelsBelow);
    // A directory that could not be read stays unread, shows so, and the status bar says why.
    void ShowUnread(const TreeItemRef& item, const std::string& path, const std::string& reason);
    // Undoes ShowUnread's look once the directory has been read.
    void ShowRead(const TreeItemRef& item);

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CBrowserView);
    wxDECLARE_EVENT_TABLE();

public:
    CBrowserView() = default;   // for the class information only
};

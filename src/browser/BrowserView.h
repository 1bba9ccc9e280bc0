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
    TreeItemRef AddItem(const TreeItemRef& parent, const std::string& label, bool expandable, bool newFolder = false);
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

    TreeItemRef m_root;
    std::string m_strRootLabel;
    int m_nPane = 0;
    wxImageList m_imageList;
    CFtpConnection* m_pConnection = nullptr;
    FileView* m_pFileView = nullptr;
    int m_bRooted = 0;
    std::string m_strRootDir;
    IPaneHost* m_pHost = nullptr;

    // Tree sorting for SortChildren: case-insensitive by label.
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

    // Adds one child per name; `names` is sorted with CompareLabels.
    void AddSortedChildren(const TreeItemRef& parent, const std::vector<std::string>& names,
                           const std::vector<bool>& expandable);

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CBrowserView);
    wxDECLARE_EVENT_TABLE();

public:
    CBrowserView() = default;   // for the class information only
};

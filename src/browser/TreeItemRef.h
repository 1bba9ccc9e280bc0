#pragma once
// A tree item together with the tree that owns it: a plain value, copied freely, owning nothing.

#include <wx/treebase.h>

#include <string>
#include <vector>

class CBrowserView;
class BrowserItem;

class TreeItemRef {
public:
    TreeItemRef() = default;
    TreeItemRef(wxTreeItemId item, CBrowserView* view) : m_item(item), m_view(view) {}

    bool IsNull() const { return !m_item.IsOk() || m_view == nullptr; }
    explicit operator bool() const { return !IsNull(); }
    wxTreeItemId GetId() const { return m_item; }
    CBrowserView* GetView() const { return m_view; }
    bool operator==(const TreeItemRef& other) const { return m_item == other.m_item && m_view == other.m_view; }

    TreeItemRef GetChildItem() const;
    TreeItemRef GetNextSiblingItem() const;
    // All children, first to last. Stepping with GetNextSiblingItem costs the control a search
    // of the parent's children at each step, so loops over large folders use this instead. A
    // snapshot: callers may delete the items while they walk it.
    std::vector<TreeItemRef> GetChildItems() const;
    TreeItemRef GetParentItem() const;
    // The label as shown (UTF-8). Never use it to name a directory: see GetItemName.
    std::string GetItemText() const;
    // The directory's true name, the bytes every path is built from (the label of an item
    // without data, such as the placeholder).
    std::string GetItemName() const;
    BrowserItem* GetItemData() const;
    void SetItemText(const std::string& label) const;
    // Attaches `item` (the tree owns it from then on) or detaches and frees the present one.
    void SetItemData(BrowserItem* item) const;
    // Removes the item and its descendants from the control. Callers free their data first.
    void DeleteItem() const;
    void SortChildren() const;
    void EnsureVisible() const;
    // New child showing `label` (already in its shown form), in its place in the label order
    // (CompareLabels) the children are kept in; image -1 keeps the default images.
    TreeItemRef InsertChild(const std::string& label, int image) const;

private:
    wxTreeItemId m_item;
    CBrowserView* m_view = nullptr;
};

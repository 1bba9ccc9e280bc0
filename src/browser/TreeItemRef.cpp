#include "browser/TreeItemRef.h"

#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/LabelOrder.h"

#include <algorithm>

namespace {
// The tree owns its items' data; this holder hands ownership of a BrowserItem to it.
class BrowserItemData : public wxTreeItemData {
public:
    explicit BrowserItemData(BrowserItem* item) : m_item(item) {}
    BrowserItem* Get() const { return m_item.get(); }

private:
    std::unique_ptr<BrowserItem> m_item;
};
} // namespace

TreeItemRef TreeItemRef::GetChildItem() const
{
    if (IsNull())
        return {};
    wxTreeItemIdValue cookie;
    return TreeItemRef(m_view->GetFirstChild(m_item, cookie), m_view);
}

TreeItemRef TreeItemRef::GetNextSiblingItem() const
{
    if (IsNull())
        return {};
    return TreeItemRef(m_view->GetNextSibling(m_item), m_view);
}

std::vector<TreeItemRef> TreeItemRef::GetChildItems() const
{
    std::vector<TreeItemRef> children;
    if (IsNull())
        return children;
    children.reserve(m_view->GetChildrenCount(m_item, false));
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = m_view->GetFirstChild(m_item, cookie); child.IsOk();
         child = m_view->GetNextChild(m_item, cookie))
        children.emplace_back(child, m_view);
    return children;
}

TreeItemRef TreeItemRef::GetParentItem() const
{
    if (IsNull())
        return {};
    return TreeItemRef(m_view->GetItemParent(m_item), m_view);
}

std::string TreeItemRef::GetItemText() const
{
    if (IsNull())
        return {};
    return m_view->GetItemText(m_item).utf8_string();
}

std::string TreeItemRef::GetItemName() const
{
    const BrowserItem* data = GetItemData();
    return data ? data->m_strName : GetItemText();
}

BrowserItem* TreeItemRef::GetItemData() const
{
    if (IsNull())
        return nullptr;
    auto* data = static_cast<BrowserItemData*>(m_view->GetItemData(m_item));
    return data ? data->Get() : nullptr;
}

void TreeItemRef::SetItemText(const std::string& label) const
{
    if (!IsNull())
        m_view->SetItemText(m_item, wxString::FromUTF8(label));
}

void TreeItemRef::SetItemData(BrowserItem* item) const
{
    if (IsNull())
        return;
    // The control does not free the data it replaces, so the old holder goes here.
    std::unique_ptr<wxTreeItemData> old(m_view->GetItemData(m_item));
    m_view->SetItemData(m_item, item ? new BrowserItemData(item) : nullptr);
}

void TreeItemRef::DeleteItem() const
{
    if (!IsNull())
        m_view->Delete(m_item);
}

void TreeItemRef::SortChildren() const
{
    if (!IsNull())
        m_view->SortChildren(m_item);
}

void TreeItemRef::EnsureVisible() const
{
    if (!IsNull())
        m_view->EnsureVisible(m_item);
}

TreeItemRef TreeItemRef::InsertChild(const std::string& label, int image) const
{
    if (m_view == nullptr)
        return {};
    const wxString text = wxString::FromUTF8(label);
    const int selectedImage = image == -1 ? -1 : 1;
    if (!m_item.IsOk())
        return TreeItemRef(m_view->AddRoot(text, image, selectedImage), m_view);
    // The children are always in label order, so the new one goes where it belongs, found by
    // halving: sorting them all again after each insertion made filling a large folder one
    // item at a time (a copy of many folders) take seconds.
    const std::vector<TreeItemRef> children = GetChildItems();
    const auto before = std::upper_bound(children.begin(), children.end(), label,
                                         [](const std::string& wanted, const TreeItemRef& child) {
                                             return CompareLabels(wanted, child.GetItemText()) < 0;
                                         });
    const auto index = static_cast<std::size_t>(before - children.begin());
    return TreeItemRef(m_view->InsertItem(m_item, index, text, image, selectedImage), m_view);
}

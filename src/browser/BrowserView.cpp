// The tree's creation, its item operations and its reactions to the mouse and the control.
// Reading directories is in BrowserViewListing.cpp.

#include "browser/BrowserView.h"

#include "browser/BrowserItem.h"
#include "browser/FileView.h"
#include "browser/ItemPath.h"
#include "browser/LabelOrder.h"
#include "browser/PaneHost.h"
#include "browser/RootLabels.h"
#include "browser/ShownName.h"
#include "net/FileTransfer.h"

#include <wx/artprov.h>

#include <algorithm>
#include <vector>

wxIMPLEMENT_DYNAMIC_CLASS(CBrowserView, wxTreeCtrl);

wxBEGIN_EVENT_TABLE(CBrowserView, wxTreeCtrl)
    EVT_TREE_ITEM_EXPANDING(wxID_ANY, CBrowserView::OnItemExpanding)
    EVT_TREE_SEL_CHANGED(wxID_ANY, CBrowserView::OnSelChanged)
    EVT_TREE_ITEM_ACTIVATED(wxID_ANY, CBrowserView::OnItemActivated)
    EVT_TREE_BEGIN_LABEL_EDIT(wxID_ANY, CBrowserView::OnBeginLabelEdit)
    EVT_TREE_END_LABEL_EDIT(wxID_ANY, CBrowserView::OnEndLabelEdit)
    EVT_LEFT_DOWN(CBrowserView::OnLeftDown)
    EVT_RIGHT_DOWN(CBrowserView::OnRightDown)
    EVT_RIGHT_UP(CBrowserView::OnRightUp)
    EVT_TREE_SEL_CHANGING(wxID_ANY, CBrowserView::OnSelChanging)
    EVT_TREE_BEGIN_DRAG(wxID_ANY, CBrowserView::OnBeginDrag)
    EVT_MOTION(CBrowserView::OnMouseMove)
    EVT_LEFT_UP(CBrowserView::OnLeftUp)
    EVT_MOUSE_CAPTURE_LOST(CBrowserView::OnCaptureLost)
wxEND_EVENT_TABLE()

namespace {
constexpr int kImageSize = 16;
// The mark drawn over a folder that could not be read, in its lower right corner.
constexpr int kUnreadMarkSize = 10;
const char* const kPlaceholderLabel = "dummy";

wxBitmap FolderImage(const wxArtID& id)
{
    wxBitmap bitmap = wxArtProvider::GetBitmap(id, wxART_OTHER, wxSize(kImageSize, kImageSize));
    if (!bitmap.IsOk() || bitmap.GetWidth() != kImageSize || bitmap.GetHeight() != kImageSize) {
        wxImage image = bitmap.IsOk() ? bitmap.ConvertToImage() : wxImage(kImageSize, kImageSize);
        bitmap = wxBitmap(image.Rescale(kImageSize, kImageSize, wxIMAGE_QUALITY_HIGH));
    }
    return bitmap;
}

wxBitmap UnreadFolderImage()
{
    wxImage folder = FolderImage(wxART_FOLDER).ConvertToImage();
    wxImage mark = wxArtProvider::GetBitmap(wxART_ERROR, wxART_OTHER, wxSize(kUnreadMarkSize, kUnreadMarkSize))
                       .ConvertToImage();
    if (!mark.IsOk())
        return wxBitmap(folder);
    mark.Rescale(kUnreadMarkSize, kUnreadMarkSize, wxIMAGE_QUALITY_HIGH);
    if (!folder.HasAlpha())
        folder.InitAlpha();
    if (!mark.HasAlpha())
        mark.InitAlpha();
    folder.Paste(mark, kImageSize - kUnreadMarkSize, kImageSize - kUnreadMarkSize, wxIMAGE_ALPHA_BLEND_COMPOSE);
    return wxBitmap(folder);
}
} // namespace

CBrowserView::CBrowserView(wxWindow* parent, wxWindowID id)
    : wxTreeCtrl(parent, id, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_EDIT_LABELS | wxTR_SINGLE | wxBORDER_SUNKEN),
      m_imageList(kImageSize, kImageSize, true, 5)
{
    // Cells: closed folder, open folder, two that are never drawn, and a folder that could not
    // be read.
    m_imageList.Add(FolderImage(wxART_FOLDER));
    m_imageList.Add(FolderImage(wxART_FOLDER_OPEN));
    m_imageList.Add(FolderImage(wxART_NORMAL_FILE));
    m_imageList.Add(FolderImage(wxART_EXECUTABLE_FILE));
    m_imageList.Add(UnreadFolderImage());
    SetImageList(&m_imageList);

    m_root = AddItem(TreeItemRef(), kRemoteHostLabel, false);
    Expand(m_root.GetId());
}

CBrowserView::~CBrowserView()
{
    // The image list is a member; the control must not keep a pointer to it past this point.
    SetImageList(nullptr);
}

TreeItemRef CBrowserView::GetRootRef() const
{
    return TreeItemRef(wxTreeCtrl::GetRootItem(), const_cast<CBrowserView*>(this));
}

TreeItemRef CBrowserView::AddItem(const TreeItemRef& parent, const std::string& name, bool expandable, bool newFolder)
{
    const TreeItemRef where = parent.IsNull() ? TreeItemRef(wxTreeItemId(), this) : parent;
    TreeItemRef item = where.InsertChild(ShownName(name), kImageClosedFolder);
    // The generic control selects a new root by itself, without an event, so the root would
    // look selected and never show its files. Without a selection, the control's idle
    // processing selects the root again, this time with the events that show its files.
    if (parent.IsNull())
        UnselectAll();
    auto data = std::make_unique<BrowserItem>();
    data->m_strName = name;
    data->m_bListed = expandable ? 0 : 1;
    data->m_bNewFolder = newFolder ? 1 : 0;
    item.SetItemData(data.release());
    if (expandable)
        AddPlaceholder(item);
    return item;
}

void CBrowserView::AddPlaceholder(const TreeItemRef& item)
{
    item.InsertChild(kPlaceholderLabel, kImageClosedFolder);
}

void CBrowserView::FreeItemData(const TreeItemRef& item, bool recursive)
{
    if (item.IsNull())
        return;
    if (recursive) {
        for (const TreeItemRef& child : item.GetChildItems())
            FreeItemData(child, true);
    }
    if (item.GetItemData())
        item.SetItemData(nullptr);
}

void CBrowserView::RemoveItem(const TreeItemRef& item)
{
    ForgetRemovedItem(item);
    FreeItemData(item, true);
    item.DeleteItem();
}

void CBrowserView::RemoveChildren(const TreeItemRef& item)
{
    if (item.IsNull())
        return;
    for (const TreeItemRef& child : item.GetChildItems()) {
        ForgetRemovedItem(child);
        FreeItemData(child, true);
    }
    // At once: deleting children one by one costs the control a search of the rest for each.
    DeleteChildren(item.GetId());
}

void CBrowserView::RemoveChildrenForReread(const TreeItemRef& item)
{
    const std::vector<TreeItemRef> children = item.GetChildItems();
    const auto isNewFolder = [](const TreeItemRef& child) {
        const BrowserItem* data = child.GetItemData();
        return data != nullptr && data->m_bNewFolder;
    };
    if (std::none_of(children.begin(), children.end(), isNewFolder)) {
        RemoveChildren(item);
        return;
    }
    for (const TreeItemRef& child : children) {
        if (!isNewFolder(child))
            RemoveItem(child);
    }
}

void CBrowserView::ForgetRemovedItem(const TreeItemRef& item)
{
    const auto within = [&](wxTreeItemId at) {
        for (; at.IsOk(); at = GetItemParent(at))
            if (at == item.GetId())
                return true;
        return false;
    };
    if (m_pFileView && within(m_pFileView->m_hShownDir)) {
        m_pFileView->ShowFiles(nullptr);
        m_pFileView->m_hShownDir = wxTreeItemId();
    }
    if (within(m_hEditedItem))
        m_hEditedItem = wxTreeItemId();
    if (within(m_hDropHighlight))
        m_hDropHighlight = wxTreeItemId();
}

void CBrowserView::ResetFiles(const TreeItemRef& item)
{
    if (BrowserItem* data = item.GetItemData()) {
        data->ClearFiles();
        data->m_bListed = 1;
        data->m_bNewFolder = 0;
    }
}

void CBrowserView::ClearTree()
{
    if (GetCount() == 0 && !wxTreeCtrl::GetRootItem().IsOk())
        return;
    if (m_pFileView) {
        m_pFileView->ShowFiles(nullptr);
        m_pFileView->m_hShownDir = wxTreeItemId();
    }
    m_hEditedItem = wxTreeItemId();
    m_hDropHighlight = wxTreeItemId();
    FreeItemData(GetRootRef(), true);
    DeleteAllItems();
    m_root = TreeItemRef();
}

void CBrowserView::DetachConnection()
{
    m_pConnection = nullptr;
}

void CBrowserView::GetItemPath(const TreeItemRef& item, std::string& path) const
{
    std::vector<std::string> names;
    const TreeItemRef stop = GetRootRef();
    for (TreeItemRef at = item; at && !(at == stop); at = at.GetParentItem())
        names.push_back(at.GetItemName());
    path = BuildItemPath(names, m_pConnection != nullptr, m_strRootDir);
}

int CBrowserView::OnCompareItems(const wxTreeItemId& first, const wxTreeItemId& second)
{
    return CompareLabels(GetItemText(first).utf8_string(), GetItemText(second).utf8_string());
}

void CBrowserView::ShowItemFiles(const TreeItemRef& item)
{
    if (!m_pFileView)
        return;
    m_pFileView->ShowFiles(item.GetItemData());
    m_pFileView->m_hShownDir = item.GetId();
    m_pFileView->SortFiles();
}

void CBrowserView::OnItemExpanding(wxTreeEvent& event)
{
    // Reading the directory would use the connection a copy batch is busy on.
    if (CFileTransfer::IsBatchRunning()) {
        event.Veto();
        return;
    }
    EnsureListed(Ref(event.GetItem()), false);
}

void CBrowserView::OnSelChanged(wxTreeEvent& event)
{
    if (m_strRootLabel == kRemoteHostLabel && m_pConnection == nullptr)
        return;
    const TreeItemRef item = Ref(event.GetItem());
    if (item.IsNull() || item.GetItemData() == nullptr)
        return;
    EnsureListed(item, false);
    ShowItemFiles(item);
}

void CBrowserView::OnItemActivated(wxTreeEvent& event)
{
    // Handled (the control does not toggle the item) for real items; the placeholder toggles.
    const TreeItemRef selected = Ref(GetSelection());
    if (selected.IsNull() || selected.GetItemData() == nullptr)
        event.Skip();
}

void CBrowserView::OnLeftDown(wxMouseEvent& event)
{
    if (m_pHost)
        m_pHost->SetActiveView(this);
    // A press while dragging means the release was lost somewhere: the drag ends, copying nothing.
    CancelDrag();
    m_ptPress = event.GetPosition();
    event.Skip();
}

void CBrowserView::OnRightDown(wxMouseEvent&)
{
    // Swallowed: the context menu opens on release, and the press must not move the selection.
}

void CBrowserView::OnRightUp(wxMouseEvent& event)
{
    int flags = 0;
    const wxTreeItemId hit = HitTest(event.GetPosition(), flags);
    if (hit.IsOk() && (flags & (wxTREE_HITTEST_ONITEMICON | wxTREE_HITTEST_ONITEMLABEL | wxTREE_HITTEST_ONITEMSTATEICON))) {
        if (m_pHost)
            m_pHost->SetActiveView(this);
        SelectItem(hit);
    }
    if (m_pHost)
        m_pHost->ShowContextMenu(ClientToScreen(event.GetPosition()));
}

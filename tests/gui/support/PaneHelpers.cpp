#include "support/PaneHelpers.h"

#include "app/MainFrame.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"

#include <gtest/gtest.h>
#include <wx/listctrl.h>
#include <wx/statusbr.h>

#include <algorithm>

std::vector<std::string> ChildLabels(CBrowserView& tree, const wxTreeItemId& item)
{
    std::vector<std::string> labels;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = tree.GetFirstChild(item, cookie); child.IsOk(); child = tree.GetNextChild(item, cookie))
        labels.push_back(tree.GetItemText(child).utf8_string());
    return labels;
}

wxTreeItemId FindChild(CBrowserView& tree, const wxTreeItemId& item, const std::string& label)
{
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = tree.GetFirstChild(item, cookie); child.IsOk(); child = tree.GetNextChild(item, cookie)) {
        if (tree.GetItemText(child).utf8_string() == label)
            return child;
    }
    return {};
}

wxTreeItemId FindPath(CBrowserView& tree, const std::vector<std::string>& labels)
{
    wxTreeItemId at = tree.wxTreeCtrl::GetRootItem();
    for (const std::string& label : labels) {
        if (!at.IsOk())
            break;
        at = FindChild(tree, at, label);
    }
    return at;
}

std::vector<std::string> ListColumn(FileView& list, int column)
{
    std::vector<std::string> texts;
    for (long row = 0; row < list.GetItemCount(); ++row)
        texts.push_back(list.GetItemText(row, column).utf8_string());
    return texts;
}

void SelectRows(FileView& list, const std::vector<std::string>& names)
{
    list.SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    const std::vector<std::string> rows = ListColumn(list, 0);
    for (const std::string& name : names) {
        const auto row = std::find(rows.begin(), rows.end(), name);
        EXPECT_NE(row, rows.end()) << "no row " << name;
        if (row != rows.end())
            list.SetItemState(row - rows.begin(), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
}

const BrowserItem& ItemData(CBrowserView& tree, const wxTreeItemId& item)
{
    static const BrowserItem missing;
    const BrowserItem* data = item.IsOk() ? tree.Ref(item).GetItemData() : nullptr;
    EXPECT_NE(data, nullptr) << "no such item";
    return data ? *data : missing;
}

std::string StatusText(CMainFrame& frame)
{
    return frame.GetStatusBar()->GetStatusText(0).utf8_string();
}

#include "support/LabelEditing.h"

#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "support/GuiTest.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>

namespace {
void Type(wxTextCtrl* field, const std::optional<std::string>& typed)
{
    if (typed)
        field->SetValue(wxString::FromUTF8(*typed));
}
} // namespace

bool EditOpen(CBrowserView& tree)
{
    return tree.GetEditControl() != nullptr;
}

bool EditOpen(FileView& list)
{
    return list.GetEditControl() != nullptr;
}

void EndEdit(CBrowserView& tree, std::optional<std::string> typed, EditEnd end)
{
    wxTextCtrl* field = tree.GetEditControl();
    ASSERT_NE(field, nullptr) << "no label edit is open";
    Type(field, typed);
    tree.EndEditLabel(tree.GetSelection(), end == EditEnd::Escape);
    PumpEvents();
}

void EndEdit(FileView& list, std::optional<std::string> typed, EditEnd end)
{
    wxTextCtrl* field = list.GetEditControl();
    ASSERT_NE(field, nullptr) << "no label edit is open";
    Type(field, typed);
    list.EndEditLabel(end == EditEnd::Escape);
    PumpEvents();
}

#pragma once
// Driving dialog controls the way a user's clicks and typing reach them: each helper changes
// the control and sends the notification the control itself would send.

#include <gtest/gtest.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <string>

template <typename Control>
Control* ControlOf(wxWindow* dialog, int id)
{
    auto* control = dynamic_cast<Control*>(dialog->FindWindow(id));
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

inline void SendCommandEvent(wxWindow* control, wxEventType type, int intValue = 0)
{
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(intValue);
    control->GetEventHandler()->ProcessEvent(event);
}

inline void ClickButton(wxWindow* dialog, int id)
{
    auto* button = ControlOf<wxButton>(dialog, id);
    ASSERT_NE(button, nullptr);
    SendCommandEvent(button, wxEVT_BUTTON);
}

inline void SetCheck(wxWindow* dialog, int id, bool checked)
{
    auto* box = ControlOf<wxCheckBox>(dialog, id);
    ASSERT_NE(box, nullptr);
    box->SetValue(checked);
    SendCommandEvent(box, wxEVT_CHECKBOX, checked ? 1 : 0);
}

inline void ClickRadio(wxWindow* dialog, int id)
{
    auto* radio = ControlOf<wxRadioButton>(dialog, id);
    ASSERT_NE(radio, nullptr);
    radio->SetValue(true);
    SendCommandEvent(radio, wxEVT_RADIOBUTTON, 1);
}

inline void TypeText(wxWindow* dialog, int id, const std::string& text)
{
    auto* edit = ControlOf<wxTextCtrl>(dialog, id);
    ASSERT_NE(edit, nullptr);
    edit->SetValue(wxString::FromUTF8(text));
}

inline std::string TextOf(wxWindow* dialog, int id)
{
    auto* edit = ControlOf<wxTextCtrl>(dialog, id);
    return edit ? edit->GetValue().utf8_string() : std::string();
}

inline bool IsEnabled(wxWindow* dialog, int id)
{
    wxWindow* control = dialog->FindWindow(id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control && control->IsEnabled();
}

inline bool IsChecked(wxWindow* dialog, int id)
{
    wxWindow* control = dialog->FindWindow(id);
    if (auto* radio = dynamic_cast<wxRadioButton*>(control))
        return radio->GetValue();
    auto* box = dynamic_cast<wxCheckBox*>(control);
    EXPECT_NE(box, nullptr) << "no check box or radio button " << id;
    return box && box->GetValue();
}

inline void SelectEntry(wxListBox* list, int index)
{
    list->SetSelection(index);
    SendCommandEvent(list, wxEVT_LISTBOX, index);
}

inline void DoubleClickEntry(wxListBox* list, int index)
{
    list->SetSelection(index);
    SendCommandEvent(list, wxEVT_LISTBOX_DCLICK, index);
}

inline std::vector<std::string> EntriesOf(const wxListBox* list)
{
    std::vector<std::string> entries;
    for (unsigned i = 0; i < list->GetCount(); ++i)
        entries.push_back(list->GetString(i).utf8_string());
    return entries;
}

// Switches tabs as a click on a tab does: the book asks first (the page being left may
// refuse), then switches and reports. SetSelection would not do: on wxGTK it switches even
// when the change is vetoed, which a click never does.
inline void ChooseTab(wxBookCtrlBase* book, int index)
{
    const int old = book->GetSelection();
    wxBookCtrlEvent changing(wxEVT_BOOKCTRL_PAGE_CHANGING, book->GetId(), index, old);
    changing.SetEventObject(book);
    book->GetEventHandler()->ProcessEvent(changing);
    if (!changing.IsAllowed())
        return;
    book->ChangeSelection(static_cast<std::size_t>(index));
    wxBookCtrlEvent changed(wxEVT_BOOKCTRL_PAGE_CHANGED, book->GetId(), index, old);
    changed.SetEventObject(book);
    book->GetEventHandler()->ProcessEvent(changed);
}

#pragma once
// A group of radio buttons exchanged as an index: 0 for the first button, 1 for the second,
// and -1 when none is checked.

#include <wx/radiobut.h>

#include <initializer_list>
#include <vector>

class RadioGroup {
public:
    // The buttons, just created in order under `parent`, the first with wxRB_GROUP; construct
    // the group before any other radio button of that parent. The group adds one hidden
    // button of its own to them: GTK always keeps one button of a group checked, so "none
    // checked" is that hidden one being checked.
    RadioGroup(wxWindow* parent, std::initializer_list<wxRadioButton*> buttons);

    // An index outside the buttons checks none of them.
    void SetIndex(int index);
    int GetIndex() const;

    void Enable(bool enable);

private:
    std::vector<wxRadioButton*> m_buttons;   // child windows, owned by the parent
    wxRadioButton* m_none = nullptr;
};

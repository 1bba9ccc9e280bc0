#pragma once
// A group of radio buttons exchanged as an index: 0 for the first button, 1 for the second,
// and -1 when none is checked.

#include <wx/radiobut.h>

#include <initializer_list>
#include <memory>
#include <vector>

class wxStaticBoxSizer;

class RadioGroup {
public:
    // The buttons, just created in order under `parent`, the first with wxRB_GROUP; construct
    // the group before any other radio button of that parent. The group adds one hidden
    // button of its own to them: GTK always keeps one button of a group checked, so "none
    // checked" is that hidden one being checked.
    RadioGroup(wxWindow* parent, std::vector<wxRadioButton*> buttons);

    // An index outside the buttons checks none of them.
    void SetIndex(int index);
    int GetIndex() const;

    void Enable(bool enable);

private:
    std::vector<wxRadioButton*> m_buttons;   // child windows, owned by the parent
    wxRadioButton* m_none = nullptr;
};

// One button of a framed group: its control identifier and its label.
struct RadioChoice {
    int id;
    const char* label;
};

// A group of radio buttons stacked in a frame titled `title`, as the dialogs show them: `sizer`
// is the frame's, for the caller to place; the buttons are in the order of `choices`.
struct FramedRadioGroup {
    wxStaticBoxSizer* sizer;
    std::unique_ptr<RadioGroup> group;
};
FramedRadioGroup MakeFramedRadioGroup(wxWindow* parent, const wxString& title, std::initializer_list<RadioChoice> choices);

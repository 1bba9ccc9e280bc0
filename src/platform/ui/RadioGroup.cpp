#include "platform/ui/RadioGroup.h"

RadioGroup::RadioGroup(wxWindow* parent, std::initializer_list<wxRadioButton*> buttons)
    : m_buttons(buttons), m_none(new wxRadioButton(parent, wxID_ANY, wxString()))
{
    m_none->Hide();
}

void RadioGroup::SetIndex(int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < m_buttons.size())
        m_buttons[static_cast<std::size_t>(index)]->SetValue(true);
    else
        m_none->SetValue(true);
}

int RadioGroup::GetIndex() const
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i]->GetValue())
            return static_cast<int>(i);
    }
    return -1;
}

void RadioGroup::Enable(bool enable)
{
    for (wxRadioButton* button : m_buttons)
        button->Enable(enable);
}

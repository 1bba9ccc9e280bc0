#include "platform/ui/RadioGroup.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

RadioGroup::RadioGroup(wxWindow* parent, std::vector<wxRadioButton*> buttons)
    : m_buttons(std::move(buttons)), m_none(new wxRadioButton(parent, wxID_ANY, wxString()))
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

FramedRadioGroup MakeFramedRadioGroup(wxWindow* parent, const wxString& title, std::initializer_list<RadioChoice> choices)
{
    auto* box = new wxStaticBoxSizer(wxVERTICAL, parent, title);
    wxStaticBox* frame = box->GetStaticBox();
    std::vector<wxRadioButton*> buttons;
    for (const RadioChoice& choice : choices) {
        buttons.push_back(new wxRadioButton(frame, choice.id, choice.label, wxDefaultPosition, wxDefaultSize,
                                            buttons.empty() ? wxRB_GROUP : 0));
    }
    const int border = parent->FromDIP(8);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (i > 0)
            box->AddSpacer(parent->FromDIP(4));
        const int sides = wxLEFT | wxRIGHT | (i == 0 ? wxTOP : 0) | (i + 1 == buttons.size() ? wxBOTTOM : 0);
        box->Add(buttons[i], wxSizerFlags().Border(sides, border));
    }
    return {box, std::make_unique<RadioGroup>(frame, std::move(buttons))};
}

#include "platform/ui/MessageBeep.h"

#include <wx/utils.h>

namespace {
MessageBeepListener& CurrentListener()
{
    static MessageBeepListener listener;
    return listener;
}
} // namespace

void AfxMessageBeep()
{
    if (auto& listener = CurrentListener()) {
        listener();
        return;
    }
    wxBell();
}

ScopedMessageBeepListener::ScopedMessageBeepListener(MessageBeepListener listener)
    : m_previous(std::move(CurrentListener()))
{
    CurrentListener() = std::move(listener);
}

ScopedMessageBeepListener::~ScopedMessageBeepListener()
{
    CurrentListener() = std::move(m_previous);
}

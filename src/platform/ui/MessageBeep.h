#pragma once
// The one door through which the program beeps to say "not here" (a refused drop). Tests
// install a listener that counts the beeps instead of sounding them.

#include <functional>

// Sounds the system's warning beep.
void AfxMessageBeep();

using MessageBeepListener = std::function<void()>;
// Replaces the beep by `listener` for the lifetime of the object; nests.
class ScopedMessageBeepListener {
public:
    explicit ScopedMessageBeepListener(MessageBeepListener listener);
    ~ScopedMessageBeepListener();
    ScopedMessageBeepListener(const ScopedMessageBeepListener&) = delete;
    ScopedMessageBeepListener& operator=(const ScopedMessageBeepListener&) = delete;

private:
    MessageBeepListener m_previous;
};

#pragma once
// Connecting regions the way a user does: the Connect dialog is answered by script with a
// profile for a test server, and message boxes are answered and recorded.

#include "platform/ui/MessageBox.h"
#include "profiles/HostProfile.h"
#include "support/GuiTest.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class FtpTestServer;

// A profile for a server on 127.0.0.1 with the given account and port.
HostProfile LoopbackProfile(const std::string& name, std::uint16_t port, const std::string& user,
                            const std::string& password, bool passive = true, const std::string& initialDir = {});
HostProfile LoopbackProfile(const std::string& name, const FtpTestServer& server, bool passive = true,
                            const std::string& initialDir = {});

// While it lives, each Connect dialog takes the next profile of `choices` (added to the
// application's profile list) and is confirmed with OK; an empty name cancels it, and so does
// every dialog once the choices have run out. Records the region each dialog was preset to.
// Other modal dialogs go to `others` (cancelled without it).
class ScopedConnectAnswers {
public:
    explicit ScopedConnectAnswers(std::vector<HostProfile> choices, std::function<int(wxDialog*)> others = {});
    ScopedConnectAnswers(const ScopedConnectAnswers&) = delete;
    ScopedConnectAnswers& operator=(const ScopedConnectAnswers&) = delete;

    std::vector<int> presetRegions;

private:
    int Answer(wxDialog* dialog);

    std::vector<HostProfile> m_choices;
    std::function<int(wxDialog*)> m_others;
    std::size_t m_next = 0;
    ScopedDialogAnswerer m_answerer;
};

// Records every message box and answers it with `answer` (by default wxOK).
class ScopedMessageRecorder {
public:
    explicit ScopedMessageRecorder(std::function<int(const std::string&)> answer = {});
    ScopedMessageRecorder(const ScopedMessageRecorder&) = delete;
    ScopedMessageRecorder& operator=(const ScopedMessageRecorder&) = delete;

    std::vector<std::string> texts;

private:
    std::function<int(const std::string&)> m_answer;
    ScopedMessageBoxAnswerer m_answerer;
};

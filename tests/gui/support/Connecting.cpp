#include "support/Connecting.h"

#include "app/NorvoApp.h"
#include "ftp/support/FtpTestServer.h"
#include "profiles/ConnectDlg.h"

#include <wx/msgdlg.h>

HostProfile LoopbackProfile(const std::string& name, std::uint16_t port, const std::string& user,
                            const std::string& password, bool passive, const std::string& initialDir)
{
    HostProfile profile;
    profile.name = name;
    profile.host = "127.0.0.1";
    profile.user = user;
    profile.password = password;
    profile.port = static_cast<std::int16_t>(port);
    profile.useDefaultPort = 0;
    profile.passive = passive ? 1 : 0;
    profile.initialDir = initialDir;
    // The shared test servers speak plain FTP; tests of encryption choose it themselves.
    profile.security = ConnectionSecurity::Plain;
    return profile;
}

HostProfile LoopbackProfile(const std::string& name, const FtpTestServer& server, bool passive,
                            const std::string& initialDir)
{
    return LoopbackProfile(name, server.Port(), server.User(), server.Password(), passive, initialDir);
}

ScopedConnectAnswers::ScopedConnectAnswers(std::vector<HostProfile> choices, std::function<int(wxDialog*)> others)
    : m_choices(std::move(choices)), m_others(std::move(others)),
      m_answerer([this](wxDialog* dialog) { return Answer(dialog); })
{
}

int ScopedConnectAnswers::Answer(wxDialog* dialog)
{
    auto* connect = dynamic_cast<CConnectDlg*>(dialog);
    if (!connect)
        return m_others ? m_others(dialog) : wxID_CANCEL;
    if (m_next >= m_choices.size())
        return wxID_CANCEL;
    presetRegions.push_back(connect->regionIndex);
    const HostProfile& choice = m_choices[m_next++];
    if (choice.name.empty())
        return wxID_CANCEL;
    TheApp().profiles[choice.name] = std::make_unique<HostProfile>(choice);
    connect->selectedProfile = choice.name;
    // As the dialog's Connect button does: a copy within the host opens its second connection
    // with the profile the region last used.
    TheApp().lastProfileName[static_cast<std::size_t>(connect->regionIndex)] = choice.name;
    return wxID_OK;
}

ScopedMessageRecorder::ScopedMessageRecorder(std::function<int(const std::string&)> answer)
    : m_answer(std::move(answer)), m_answerer([this](const std::string& text, long) {
          texts.push_back(text);
          return m_answer ? m_answer(text) : static_cast<int>(wxOK);
      })
{
}

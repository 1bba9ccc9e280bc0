#include "ftp/support/PyftpdlibServer.h"

#include "ftp/support/LoopbackPorts.h"

#include <stdexcept>

namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kPassivePorts = 20;
constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr const char* kReadyPrefix = "LISTENING ";

} // namespace

PyftpdlibServer::PyftpdlibServer(const PyftpdlibSetup& setup)
{
    m_user = "ferrix";
    m_password = "pyftpd-Test-4";
    PortRange passive = FreeLoopbackPortRange(kPassivePorts);
    std::vector<std::string> argv{kPython, std::string(FERRIX_TEST_SCRIPTS) + "/pyftpd_server.py",
                                  "--root", Root().string(), "--anonymous-root", AnonymousRoot().string(),
                                  "--user", m_user, "--password", m_password,
                                  "--passive-first", std::to_string(passive.first),
                                  "--passive-last", std::to_string(passive.last), "--address", setup.address};
    if (!setup.certificateFile.empty())
        argv.insert(argv.end(), {"--tls-cert", setup.certificateFile, "--tls-key", setup.keyFile});
    m_process = std::make_unique<ChildProcess>(argv, m_work.Path() / "stderr.txt", true);
    auto line = m_process->ReadLine(kStartTimeout);
    if (!line || line->rfind(kReadyPrefix, 0) != 0)
        throw std::runtime_error("pyftpdlib did not start: " + m_process->StderrText());
    m_port = static_cast<std::uint16_t>(std::stoi(line->substr(std::char_traits<char>::length(kReadyPrefix))));
}

PyftpdlibServer::~PyftpdlibServer()
{
    m_process.reset();
}

int PyftpdlibServer::CountCommands(const std::string& verb, const std::string& path) const
{
    // [I 2026-01-01 12:00:00] 127.0.0.1:40000-[ferrix] MKD <root>/dir/name 550 'File exists.'
    return CountLines(m_process->StderrText(), " " + verb + " " + Root().string() + path + " ");
}

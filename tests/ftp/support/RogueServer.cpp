#include "ftp/support/RogueServer.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr const char* kReadyPrefix = "LISTENING ";
// The script ends by itself after this, even when the test that started it hangs or dies.
constexpr int kLifetimeSeconds = 60;

} // namespace

RogueServer::RogueServer(const std::string& scenario, const std::vector<std::string>& extraArguments)
{
    std::vector<std::string> argv{kPython, std::string(FERRIX_TEST_SCRIPTS) + "/rogue_ftpd.py", "--scenario",
                                  scenario, "--log", (m_work.Path() / "commands.log").string(),
                                  "--max-seconds", std::to_string(kLifetimeSeconds)};
    argv.insert(argv.end(), extraArguments.begin(), extraArguments.end());
    m_process = std::make_unique<ChildProcess>(argv, m_work.Path() / "stderr.txt", true);
    auto line = m_process->ReadLine(kStartTimeout);
    if (!line || line->rfind(kReadyPrefix, 0) != 0)
        throw std::runtime_error("rogue_ftpd.py did not start: " + m_process->StderrText());
    m_port = static_cast<std::uint16_t>(std::stoi(line->substr(std::char_traits<char>::length(kReadyPrefix))));
}

std::string RogueServer::FileContent()
{
    std::string content(kFileSize, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i % 251);
    return content;
}

std::string RogueServer::StoredBytes() const
{
    std::ifstream in(m_work.Path() / "stored.bin", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> RogueServer::LogLines() const
{
    std::ifstream in(m_work.Path() / "commands.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int RogueServer::CountCommands(const std::string& verb) const
{
    int count = 0;
    for (const auto& line : LogLines()) {
        auto space = line.find(' ');
        if (space != std::string::npos && line.compare(space + 1, verb.size(), verb) == 0)
            ++count;
    }
    return count;
}

#include "probe/Netrc.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

// A login file larger than this is no login file.
constexpr std::uintmax_t kMaxNetrcBytes = 1024 * 1024;

struct ClosesOnExit {
    int fd;
    ~ClosesOnExit() { ::close(fd); }
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Tokens {
public:
    explicit Tokens(std::string_view text) : m_text(text) {}

    std::optional<std::string> Next()
    {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
        if (m_pos >= m_text.size())
            return std::nullopt;
        std::string token;
        if (m_text[m_pos] == '"') {
            for (++m_pos; m_pos < m_text.size() && m_text[m_pos] != '"'; ++m_pos) {
                if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size())
                    ++m_pos;
                token += m_text[m_pos];
            }
            ++m_pos;   // the closing quote
            return token;
        }
        while (m_pos < m_text.size() && !IsSpace(m_text[m_pos]))
            token += m_text[m_pos++];
        return token;
    }
    // A macro's body runs to the first empty line.
    void SkipMacro()
    {
        const std::size_t end = m_text.find("\n\n", m_pos);
        m_pos = end == std::string_view::npos ? m_text.size() : end + 2;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

struct Entry {
    bool isDefault = false;
    std::string machine;
    NetrcLogin login;
};

std::vector<Entry> ParseEntries(std::string_view text)
{
    std::vector<Entry> entries;
    Tokens tokens(text);
    while (std::optional<std::string> token = tokens.Next()) {
        if (*token == "machine") {
            entries.push_back({false, tokens.Next().value_or(""), {}});
        } else if (*token == "default") {
            entries.push_back({true, {}, {}});
        } else if (*token == "macdef") {
            tokens.Next();
            tokens.SkipMacro();
        } else if (*token == "login" || *token == "password" || *token == "account") {
            std::string value = tokens.Next().value_or("");
            if (entries.empty())
                continue;   // a value before any machine belongs to none
            NetrcLogin& login = entries.back().login;
            if (*token == "login") {
                login.login = std::move(value);
            } else if (*token == "password") {
                login.password = std::move(value);
                login.hasPassword = true;
            }
        }
    }
    return entries;
}

}  // namespace

std::optional<NetrcLogin> FindNetrcLogin(std::string_view text, std::string_view host, std::string_view user)
{
    const auto fits = [&](const Entry& entry) { return user.empty() || entry.login.login.empty() || entry.login.login == user; };
    const std::vector<Entry> entries = ParseEntries(text);
    for (const Entry& entry : entries)
        if (!entry.isDefault && entry.machine == host && fits(entry))
            return entry.login;
    for (const Entry& entry : entries)
        if (entry.isDefault && fits(entry))
            return entry.login;
    return std::nullopt;
}

std::string ReadNetrcFile(const std::string& path)
{
    // Checked on the file opened, not on the name: it cannot be swapped in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw std::runtime_error("cannot read " + path + ": " + std::strerror(errno));
    const ClosesOnExit closer{fd};
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || static_cast<std::uintmax_t>(status.st_size) > kMaxNetrcBytes)
        throw std::runtime_error(path + " is not a login file");
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        throw std::runtime_error(path + " may be read or changed by others; make it private (chmod 600)");
    std::string text(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = ::read(fd, text.data() + done, text.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw std::runtime_error("cannot read " + path + ": " + std::strerror(errno));
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    text.resize(done);
    return text;
}

std::string DefaultNetrcPath()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.netrc";
    if (const passwd* entry = ::getpwuid(::getuid()))
        return std::string(entry->pw_dir) + "/.netrc";
    throw std::runtime_error("cannot find the home folder for ~/.netrc");
}

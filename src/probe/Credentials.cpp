#include "probe/Credentials.h"

#include "probe/Netrc.h"

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

// What an anonymous login gives as its password, by custom an e-mail address.
constexpr const char* kAnonymousUser = "anonymous";
constexpr const char* kAnonymousPassword = "ferrix-probe@";
// A typed password longer than this is no password.
constexpr std::size_t kMaxTypedPassword = 1024;

// Terminal echo off for as long as it lives.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd)
    {
        if (::tcgetattr(fd, &m_saved) != 0)
            return;
        termios quiet = m_saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        m_active = ::tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff()
    {
        if (m_active)
            ::tcsetattr(m_fd, TCSAFLUSH, &m_saved);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_fd;
    termios m_saved{};
    bool m_active = false;
};

std::string PromptForPassword(const std::string& user, const std::string& host)
{
    std::string password;
    {
        // Echo goes off before the prompt shows: whatever is typed after it stays unseen.
        EchoOff quiet(STDIN_FILENO);
        std::cerr << ("Password for " + user + '@' + host + ": ") << std::flush;
        for (char c; password.size() <= kMaxTypedPassword;) {
            const ssize_t got = ::read(STDIN_FILENO, &c, 1);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0 || c == '\n')
                break;
            password += c;
        }
    }
    std::cerr << '\n';
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    return password;
}

}  // namespace

std::optional<std::string> TakePasswordFromEnvironment()
{
    char* value = std::getenv(kPasswordVariable);
    if (!value)
        return std::nullopt;
    std::string password = value;
    std::fill(value, value + std::strlen(value), '\0');
    ::unsetenv(kPasswordVariable);
    return password;
}

ProbeLogin ResolveLogin(const ProbeOptions& options, const std::optional<std::string>& fromEnvironment)
{
    const FtpUrl& url = options.url;
    ProbeLogin login{url.user, url.password};
    if (url.hasPassword)
        return login.user.empty() ? ProbeLogin{kAnonymousUser, url.password} : login;

    if (options.netrc) {
        const std::string path = options.netrcFile.empty() ? DefaultNetrcPath() : options.netrcFile;
        if (std::optional<NetrcLogin> entry = FindNetrcLogin(ReadNetrcFile(path), url.host, url.user)) {
            if (login.user.empty())
                login.user = entry->login;
            if (entry->hasPassword && !login.user.empty())
                return {login.user, entry->password};
        }
    }
    if (login.user.empty() || login.user == kAnonymousUser)
        return {kAnonymousUser, kAnonymousPassword};
    if (fromEnvironment)
        return {login.user, *fromEnvironment};
    if (::isatty(STDIN_FILENO))
        return {login.user, PromptForPassword(login.user, url.host)};
    return login;   // no password anywhere: an empty one, as the URL gave it
}

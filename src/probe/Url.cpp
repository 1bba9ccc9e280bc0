#include "probe/Url.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kScheme = "ftp://";
constexpr unsigned kMaxPort = 65535;
} // namespace

std::optional<std::string> PercentDecode(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        unsigned byte = 0;
        const char* digits = text.data() + i + 1;
        const auto [end, error] = std::from_chars(digits, digits + 2, byte, 16);
        if (error != std::errc() || end != digits + 2)
            return std::nullopt;
        decoded += static_cast<char>(byte);
        i += 2;
    }
    return decoded;
}

std::optional<FtpUrl> ParseFtpUrl(std::string_view text)
{
    if (text.substr(0, kScheme.size()) != kScheme)
        return std::nullopt;
    text.remove_prefix(kScheme.size());

    FtpUrl url;
    std::size_t slash = text.find('/');
    std::string_view authority = text.substr(0, slash);
    if (slash != std::string_view::npos) {
        auto path = PercentDecode(text.substr(slash));
        if (!path)
            return std::nullopt;
        url.path = *path == "/" ? "" : *path;
    }

    // The password may hold an '@' of its own only encoded, but be lenient: the last '@' ends it.
    std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        std::string_view credentials = authority.substr(0, at);
        authority.remove_prefix(at + 1);
        std::size_t colon = credentials.find(':');
        auto user = PercentDecode(credentials.substr(0, colon));
        auto password = colon == std::string_view::npos ? std::optional<std::string>("")
                                                        : PercentDecode(credentials.substr(colon + 1));
        if (!user || !password)
            return std::nullopt;
        url.user = *user;
        url.password = *password;
        url.hasPassword = colon != std::string_view::npos;
    }

    std::string_view portText;
    if (!authority.empty() && authority.front() == '[') {
        std::size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        url.host = authority.substr(1, close - 1);
        std::string_view rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':')
                return std::nullopt;
            portText = rest.substr(1);
        }
    } else {
        std::size_t colon = authority.find(':');
        url.host = authority.substr(0, colon);
        if (colon != std::string_view::npos)
            portText = authority.substr(colon + 1);
    }
    if (url.host.empty())
        return std::nullopt;
    if (!portText.empty()) {
        unsigned port = 0;
        auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
        if (error != std::errc() || end != portText.data() + portText.size() || port == 0 || port > kMaxPort)
            return std::nullopt;
        url.port = static_cast<std::uint16_t>(port);
    }
    return url;
}

void WipeUrlPassword(char* text)
{
    std::string_view url(text);
    if (url.substr(0, kScheme.size()) != kScheme)
        return;
    // The same bounds ParseFtpUrl finds: the authority ends at the first '/', the password
    // runs from the first ':' of the credentials to the last '@'.
    const std::size_t authorityEnd = std::min(url.find('/', kScheme.size()), url.size());
    const std::size_t at = url.rfind('@', authorityEnd);
    if (at == std::string_view::npos || at < kScheme.size())
        return;
    const std::size_t colon = url.find(':', kScheme.size());
    if (colon == std::string_view::npos || colon > at)
        return;
    std::fill(text + colon + 1, text + at, '*');
}

#include "platform/inet/SecretScrubber.h"

#include <cctype>

namespace {

constexpr std::string_view kMask = "********";

bool IsWordByte(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

std::string ScrubSecret(std::string text, std::string_view secret)
{
    if (secret.empty())
        return text;
    const bool wholeWordOnly = secret.size() < kWholeWordBelow;
    for (std::size_t pos = text.find(secret); pos != std::string::npos; pos = text.find(secret, pos)) {
        const std::size_t end = pos + secret.size();
        const bool alone = (pos == 0 || !IsWordByte(text[pos - 1])) && (end == text.size() || !IsWordByte(text[end]));
        if (wholeWordOnly && !alone) {
            ++pos;
            continue;
        }
        text.replace(pos, secret.size(), kMask);
        pos += kMask.size();
    }
    return text;
}

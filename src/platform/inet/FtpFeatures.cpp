#include "platform/inet/FtpFeatures.h"

#include <cctype>

FtpFeatures FtpFeatures::FromReply(const FtpReply& reply)
{
    FtpFeatures features;
    if (reply.code != 211)
        return features;
    // The first and last lines carry the code; the features are the lines between, each
    // indented by one space (a few servers forget the space, so any indent is accepted).
    for (std::size_t i = 1; i + 1 < reply.lines.size(); ++i) {
        const std::string& line = reply.lines[i];
        std::size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos)
            continue;
        std::size_t end = line.find(' ', start);
        std::string name = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::string parameters = end == std::string::npos ? std::string() : line.substr(end + 1);
        features.m_features[name] = parameters;
    }
    return features;
}

std::optional<std::string> FtpFeatures::Parameters(const std::string& name) const
{
    auto it = m_features.find(name);
    if (it == m_features.end())
        return std::nullopt;
    return it->second;
}

#pragma once
// One complete reply of an FTP server: its three-digit code and its lines as sent (line ends
// removed, the code prefix kept).

#include <string>
#include <vector>

struct FtpReply {
    int code = 0;
    std::vector<std::string> lines;

    bool IsPreliminary() const { return code >= 100 && code < 200; }
    bool IsSuccess() const { return code >= 200 && code < 300; }
    bool IsIntermediate() const { return code >= 300 && code < 400; }
    bool IsTransientFailure() const { return code >= 400 && code < 500; }
    // 4xx, 5xx, and anything outside the classes a client can act on.
    bool IsFailure() const { return code < 100 || code >= 400; }

    // All lines joined by "\n": the text a user is shown for a failure.
    std::string Text() const
    {
        std::string text;
        for (const std::string& line : lines) {
            if (!text.empty())
                text += '\n';
            text += line;
        }
        return text;
    }
    // The first line without its code: where single-line replies carry their value.
    std::string FirstLineText() const
    {
        if (lines.empty() || lines.front().size() < 4)
            return {};
        return lines.front().substr(4);
    }
};

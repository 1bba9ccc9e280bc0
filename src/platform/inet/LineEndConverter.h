#pragma once
// Line-end conversion of ASCII-type transfers: the wire carries CR LF, local text files LF.
// Both directions keep state, so that a CR LF split across two blocks converts correctly.

#include <string>
#include <string_view>

// Wire to local: CR LF becomes LF; a CR not followed by LF stays.
class AsciiDecoder {
public:
    // Appends the converted `input` to `output`.
    void Decode(std::string_view input, std::string& output);
    // At the end of the data: a CR held back waiting for its LF is written out.
    void Finish(std::string& output);

private:
    bool m_pendingCr = false;
};

// Local to wire: LF becomes CR LF; a CR LF already there is left as it is.
class AsciiEncoder {
public:
    void Encode(std::string_view input, std::string& output);

private:
    bool m_lastWasCr = false;
};

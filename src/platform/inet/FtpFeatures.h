#pragma once
// What a server announces in its FEAT reply (RFC 2389), kept for the session and reused when
// the connection is re-opened.

#include "platform/inet/FtpReply.h"

#include <map>
#include <optional>
#include <string>

class FtpFeatures {
public:
    FtpFeatures() = default;
    // From a 211 reply; any other reply (FEAT not understood) gives no features.
    static FtpFeatures FromReply(const FtpReply& reply);

    // `name` in upper case ("MLST", "UTF8", "EPSV").
    bool Has(const std::string& name) const { return m_features.count(name) != 0; }
    // The parameters after the name ("type*;size*;modify*;" for MLST), if listed.
    std::optional<std::string> Parameters(const std::string& name) const;

private:
    std::map<std::string, std::string> m_features;
};

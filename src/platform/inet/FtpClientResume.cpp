// Continuing a binary file over a new connection after the old one dropped: the requests
// FtpTransfer makes for it.

#include "platform/inet/FtpClient.h"

#include "platform/inet/RemotePath.h"

#include <algorithm>
#include <cctype>

namespace {

// FEAT's "REST STREAM": the server takes REST before STOR, not only before RETR.
bool RestartsUploads(const FtpFeatures& features)
{
    std::optional<std::string> parameters = features.Parameters("REST");
    if (!parameters)
        return false;
    std::string upper = *parameters;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper.find("STREAM") != std::string::npos;
}

}  // namespace

void FtpClient::Reconnect()
{
    // The old connection is given up unasked: its state after a cut transfer is unknown, and a
    // server that limits connections per user must not count it while the new one logs in.
    DropControl();
    Connect();
}

std::optional<std::uint64_t> FtpClient::StoredSize(const std::string& path)
{
    if (std::optional<std::uint64_t> size = BinarySize(path))
        return size;
    PrepareFor(path);
    const FindPattern where = SplitFindPattern(path);
    if (where.wholeDirectory)
        return std::nullopt;
    for (const ListingEntry& entry : LookUpName(where.directory, where.name)) {
        if (!entry.isDirectory && entry.sizeKnown)
            return entry.size;
    }
    return std::nullopt;
}

DataChannel FtpClient::RestartTransfer(const std::string& path, TransferDirection direction, std::uint64_t offset)
{
    PrepareFor(path);
    EnsureType('I');
    if (direction == TransferDirection::Download)
        return OpenDataChannel("RETR", path, false, offset);
    if (RestartsUploads(m_features))
        return OpenDataChannel("STOR", path, true, offset);
    // APPE writes at the end of what the server holds, which the caller has just asked for.
    return OpenDataChannel("APPE", path, true, std::nullopt);
}

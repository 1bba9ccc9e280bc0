// One file's size and time asked over the control connection: a listing costs a data
// connection, and with it a round trip or more, for each file of a batch.

#include "platform/inet/FtpClient.h"

#include "platform/inet/ListingParser.h"

namespace {
constexpr int kFileStatus = 213;
}  // namespace

std::optional<std::uint64_t> FtpClient::BinarySize(const std::string& path)
{
    if (!m_features.Has("SIZE"))
        return std::nullopt;
    // SIZE counts the bytes of the binary file (and some servers refuse it in ASCII mode).
    EnsureType('I');
    PrepareFor(path);
    return RemoteSize(path);
}

std::optional<std::uint64_t> FtpClient::FileSize(const std::string& path)
{
    std::optional<std::uint64_t> size;
    Request([&] { size = BinarySize(path); });
    return size;
}

std::optional<std::int64_t> FtpClient::FileModifiedTime(const std::string& path)
{
    std::optional<std::int64_t> modified;
    Request([&] {
        if (!m_features.Has("MDTM"))
            return;
        PrepareFor(path);
        const FtpReply reply = Command("MDTM", path);
        std::int64_t seconds = 0;
        if (reply.code == kFileStatus && ParseModifyTime(reply.FirstLineText(), seconds))
            modified = seconds;
    });
    return modified;
}

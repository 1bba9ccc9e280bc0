// Directory listings: MLSD/MLST where the server has them, LIST otherwise.

#include "platform/inet/FtpClient.h"

#include "platform/inet/FtpTransfer.h"
#include "platform/inet/ListingParser.h"
#include "platform/inet/RemotePath.h"

#include <ctime>

namespace {

// A listing is read whole before the finder hands out entries; a server streaming without
// end must not exhaust memory (a directory of a million entries is still well below this).
constexpr std::size_t kMaxListingBytes = 256 * 1024 * 1024;
constexpr std::size_t kListingReadBlock = 64 * 1024;

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::int64_t NowUtc() { return static_cast<std::int64_t>(std::time(nullptr)); }

// The listing's entries; lines that could not be read are told to the session log, so that a
// folder that looks short is never short without a word.
std::vector<ListingEntry> ReadEntries(const std::string& text, ListingFormat format, const StatusReporter& status)
{
    ListingReport report = ParseListingReport(text, format, NowUtc());
    if (report.skippedLines > 0)
        status.Report(INTERNET_STATUS_LISTING_LINES_SKIPPED, DescribeSkippedLines(report));
    return std::move(report.entries);
}

std::string JoinPath(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    if (directory.back() == '/')
        return directory + name;
    return directory + "/" + name;
}

}  // namespace

std::vector<ListingEntry> FtpClient::Find(const std::string& pattern)
{
    const FindPattern wanted = SplitFindPattern(pattern);
    std::vector<ListingEntry> entries;
    Request([&] {
        entries = wanted.wholeDirectory ? ListDirectory(wanted.directory) : LookUpName(wanted.directory, wanted.name);
    });
    return entries;
}

std::optional<std::string> FtpClient::ReadListing(std::string_view verb, std::string_view argument)
{
    std::unique_ptr<FtpTransfer> transfer;
    try {
        transfer = StartTransfer(verb, argument, false, TransferDirection::Download, false, std::nullopt);
    } catch (const TransferRefused&) {
        return std::nullopt;   // 550 and friends: no such directory, nothing to list
    }
    std::string text;
    char block[kListingReadBlock];
    while (std::size_t got = transfer->Read(block, sizeof(block))) {
        if (text.size() + got > kMaxListingBytes)
            throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, "The directory listing is too large");
        text.append(block, got);
    }
    transfer->Finish();
    return text;
}

std::vector<ListingEntry> FtpClient::ListDirectory(const std::string& directory)
{
    if (m_features.Has("MLST")) {
        // MLSD takes its argument as a path, never as a pattern (RFC 3659 7.1).
        PrepareFor(directory);
        std::optional<std::string> text = ReadListing("MLSD", directory);
        return text ? ReadEntries(*text, ListingFormat::Mlsd, m_status) : std::vector<ListingEntry>();
    }

    // LIST's argument is a pattern on many servers (vsftpd globs it, and "LIST missing" gives
    // an empty listing rather than an error), so the server is sent into the directory
    // instead: names with spaces or wildcards list correctly, and a missing directory fails.
    if (!directory.empty()) {
        std::optional<std::string> target = ResolveRemoteDirectory(m_workingDir.value_or(std::string()), directory);
        if (!target || !m_workingDir) {
            // No way back to the caller's directory afterwards: list by argument.
            PrepareFor(directory);
            std::optional<std::string> text = ReadListing("LIST", m_listAllWorks == false ? directory : "-a " + directory);
            return text ? ReadEntries(*text, ListingFormat::Auto, m_status) : std::vector<ListingEntry>();
        }
        if (m_serverDir != target) {
            FtpReply reply = Command("CWD", *target);
            if (!reply.IsSuccess())
                return {};
            m_serverDir = target;
        }
    } else {
        SyncDirectory();
    }

    // "-a" shows dot files on servers that read ls options; a server that refuses it, or takes
    // it for a name and lists nothing, is asked again without it.
    if (m_listAllWorks != false) {
        std::optional<std::string> text = ReadListing("LIST", "-a");
        if (text && !IsBlank(*text)) {
            m_listAllWorks = true;
            return ReadEntries(*text, ListingFormat::Auto, m_status);
        }
        if (text && m_listAllWorks == true)
            return {};
        std::optional<std::string> plain = ReadListing("LIST", {});
        if (!text || (plain && !IsBlank(*plain)))
            m_listAllWorks = false;
        return plain ? ReadEntries(*plain, ListingFormat::Auto, m_status) : std::vector<ListingEntry>();
    }
    std::optional<std::string> text = ReadListing("LIST", {});
    return text ? ReadEntries(*text, ListingFormat::Auto, m_status) : std::vector<ListingEntry>();
}

std::vector<ListingEntry> FtpClient::LookUpName(const std::string& directory, const std::string& name)
{
    if (!IsSafeEntryName(name))
        return {};
    if (!m_features.Has("MLST")) {
        std::vector<ListingEntry> all = ListDirectory(directory);
        std::vector<ListingEntry> matching;
        for (ListingEntry& entry : all) {
            if (entry.name == name)
                matching.push_back(std::move(entry));
        }
        return matching;
    }

    // One round trip and no data connection. The reply names the entry by a path of the
    // server's choosing; the entry is the one asked for, so it takes the name asked for.
    const std::string path = JoinPath(directory, name);
    PrepareFor(path);
    FtpReply reply = Command("MLST", path);
    if (!reply.IsSuccess())
        return {};
    for (std::size_t i = 1; i + 1 < reply.lines.size(); ++i) {
        const std::string& line = reply.lines[i];
        if (line.empty() || line.front() != ' ')
            continue;
        const std::size_t blank = line.find(' ', 1);
        if (blank == std::string::npos)
            continue;
        std::optional<ListingEntry> entry = ParseMlsdLine(line.substr(1, blank) + name);
        if (!entry)
            continue;
        entry->name = name;
        entry->isCurrentOrParent = false;   // MLST of a directory may call it cdir
        return {*entry};
    }
    return {};
}

// Directory listings: MLSD/MLST where the server has them, LIST otherwise.

#include "platform/inet/FtpClient.h"

#include "platform/inet/FtpTransfer.h"
#include "platform/inet/ListingBuilder.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"
#include "platform/inet/RemotePath.h"

#include <algorithm>
#include <ctime>

namespace {

constexpr std::size_t kListingReadBlock = 64 * 1024;
// A server that answers 550 or 450 to LIST on an empty directory says so in these words.
constexpr std::string_view kNoFilesFound = "no files found";
constexpr int kFileUnavailable = 550;

bool IsNoFilesFoundReply(const std::string& text)
{
    return ToLowerAscii(text).find(kNoFilesFound) != std::string::npos;
}

std::int64_t NowUtc() { return static_cast<std::int64_t>(std::time(nullptr)); }

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

FtpClient::Listing FtpClient::ReadListing(std::string_view verb, std::string_view argument, ListingFormat format)
{
    std::unique_ptr<FtpTransfer> transfer;
    try {
        transfer = StartTransfer(verb, argument, false, TransferDirection::Download, false, std::nullopt);
    } catch (const TransferRefused& refused) {
        // Some servers (IIS, older Unix daemons) refuse to list an empty directory.
        if (IsNoFilesFoundReply(refused.GetText()))
            return {};
        throw;
    }
    ListingBuilder builder(format, NowUtc());
    char block[kListingReadBlock];
    while (std::size_t got = transfer->Read(block, sizeof(block)))
        builder.Add(std::string_view(block, got));
    transfer->Finish();
    ListingReport report = builder.FinishReport();
    // Lines that could not be read are told to the session log, so that a folder that looks
    // short is never short without a word.
    if (report.skippedLines > 0)
        m_status.Report(INTERNET_STATUS_LISTING_LINES_SKIPPED, DescribeSkippedLines(report));
    return {std::move(report.entries), builder.Blank()};
}

std::vector<ListingEntry> FtpClient::ListDirectory(const std::string& directory)
{
    if (m_features.Has("MLST")) {
        // MLSD takes its argument as a path, never as a pattern (RFC 3659 7.1).
        PrepareFor(directory);
        return ReadListing("MLSD", directory, ListingFormat::Mlsd).entries;
    }

    // LIST's argument is a pattern on many servers (vsftpd globs it, and "LIST missing" gives
    // an empty listing rather than an error), so the server is sent into the directory
    // instead: names with spaces or wildcards list correctly, and a missing directory fails.
    if (!directory.empty()) {
        std::optional<std::string> target = ResolveRemoteDirectory(m_workingDir.value_or(std::string()), directory);
        if (!target || !m_workingDir) {
            // No way back to the caller's directory afterwards: list by argument.
            PrepareFor(directory);
            if (m_listAllWorks != false) {
                try {
                    return ReadListing("LIST", "-a " + directory, ListingFormat::Auto).entries;
                } catch (const TransferRefused&) {
                    if (m_listAllWorks == true)
                        throw;   // "-a" works here: the directory is what was refused
                }
            }
            return ReadListing("LIST", directory, ListingFormat::Auto).entries;
        }
        if (m_serverDir != target) {
            RequireSuccess(Command("CWD", *target));
            m_serverDir = target;
        }
    } else {
        SyncDirectory();
    }

    // "-a" shows dot files on servers that read ls options; a server that refuses it, or takes
    // it for a name and lists nothing, is asked again without it.
    if (m_listAllWorks != false) {
        std::optional<Listing> all;
        try {
            all = ReadListing("LIST", "-a", ListingFormat::Auto);
        } catch (const TransferRefused&) {
            // Asked again without the option below; a refusal of that is the answer.
        }
        if (all && !all->blank) {
            m_listAllWorks = true;
            return std::move(all->entries);
        }
        if (all && m_listAllWorks == true)
            return {};
        Listing plain = ReadListing("LIST", {}, ListingFormat::Auto);
        if (!all || !plain.blank)
            m_listAllWorks = false;
        return std::move(plain.entries);
    }
    return ReadListing("LIST", {}, ListingFormat::Auto).entries;
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
    if (reply.code == kFileUnavailable)
        return {};   // no such entry: the search ran and matched nothing
    RequireSuccess(reply);
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

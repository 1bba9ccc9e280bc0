#include "probe/Commands.h"

#include "platform/inet/FtpConnection.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/ListingEntryJson.h"
#include "platform/inet/ListingParser.h"
#include "probe/BatchCopy.h"
#include "probe/EntryLine.h"
#include "platform/inet/PrintableText.h"

#include <ctime>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

int List(CFtpConnection& connection, const ProbeOptions& options, std::ostream& out, std::ostream& err)
{
    std::string directory = options.arguments.empty() ? "" : options.arguments[0];
    while (directory.size() > 1 && directory.back() == '/')
        directory.pop_back();
    std::string pattern = directory.empty() || directory == "." ? "*" : directory == "/" ? "/*" : directory + "/*";
    CFtpFileFind finder(&connection);
    if (finder.FindFile(pattern)) {
        for (bool more = true; more;) {
            more = finder.FindNextFile();
            if (!finder.IsDots())
                out << FormatEntryLine(finder) << '\n';
        }
        finder.Close();
        return 0;
    }
    finder.Close();
    const std::string what = "ls " + (directory.empty() ? std::string(".") : directory);
    // Only a listing that arrived and held nothing is an empty directory; anything else (a
    // refusal, a connection lost or a listing cut off) is the failure it is.
    if (finder.GetLastErrorCode() != ERROR_NO_MORE_FILES)
        return ReportError(what, finder.GetLastErrorCode(), finder.GetLastErrorText(), err);
    // Servers that glob LIST's argument list a missing directory as an empty one.
    if (!directory.empty() && directory != "." && !connection.SetCurrentDirectory(directory))
        return ReportFailure(connection, what, err);
    return 0;
}

int Stat(CFtpConnection& connection, const ProbeOptions& options, std::ostream& out, std::ostream& err)
{
    std::string path = options.arguments[0];
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path == "/") {
        if (!connection.SetCurrentDirectory("/"))
            return ReportFailure(connection, "stat /", err);
        out << "d - - /\n";
        return 0;
    }
    std::size_t slash = path.rfind('/');
    if (slash != std::string::npos) {
        std::string parent = slash == 0 ? "/" : path.substr(0, slash);
        if (!connection.SetCurrentDirectory(parent))
            return ReportFailure(connection, "stat " + path, err);
    }
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    CFtpFileFind finder(&connection);
    bool found = finder.FindFile(name);
    if (found) {
        finder.FindNextFile();
        out << FormatEntryLine(finder) << '\n';
    }
    finder.Close();
    if (found)
        return 0;
    if (finder.GetLastErrorCode() != ERROR_NO_MORE_FILES)
        return ReportError("stat " + path, finder.GetLastErrorCode(), finder.GetLastErrorText(), err);
    err << "ferrix-probe: stat " << PrintableText(path) << ": no such file or directory\n";
    return 1;
}

int Simple(bool done, CFtpConnection& connection, const std::string& what, std::ostream& err)
{
    return done ? 0 : ReportFailure(connection, what, err);
}

} // namespace

int ReportError(const std::string& what, std::uint32_t code, const std::string& text, std::ostream& err)
{
    err << "ferrix-probe: " << PrintableText(what) << " failed: error " << code;
    if (!text.empty())
        err << ": " << PrintableText(text);
    err << '\n';
    return 1;
}

int ReportFailure(const CFtpConnection& connection, const std::string& what, std::ostream& err)
{
    return ReportError(what, connection.GetLastErrorCode(), connection.GetLastErrorText(), err);
}

int RunConnectionCommand(CFtpConnection& connection, const ProbeOptions& options, std::ostream& out,
                         std::ostream& err)
{
    const std::string& command = options.command;
    const auto& args = options.arguments;
    if (command == "ls")
        return List(connection, options, out, err);
    if (command == "stat")
        return Stat(connection, options, out, err);
    if (IsBatchCopyCommand(command))
        return RunBatchCopy(connection, options, out, err);
    if (command == "get")
        return GetFile(connection, options, err);
    if (command == "put")
        return PutFile(connection, options, err);
    if (command == "mkdir")
        return Simple(connection.CreateDirectory(args[0]), connection, "mkdir " + args[0], err);
    if (command == "rmdir")
        return Simple(connection.RemoveDirectory(args[0]), connection, "rmdir " + args[0], err);
    if (command == "rm")
        return Simple(connection.Remove(args[0]), connection, "rm " + args[0], err);
    if (command == "mv")
        return Simple(connection.Rename(args[0], args[1]), connection, "mv " + args[0] + " " + args[1], err);
    if (command == "pwd") {
        std::string directory;
        if (!connection.GetCurrentDirectory(directory))
            return ReportFailure(connection, "pwd", err);
        out << directory << '\n';
        return 0;
    }
    err << "ferrix-probe: unknown command " << command << '\n';
    return 2;
}

int RunParseListing(const ProbeOptions& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Every line that gave no entry goes to standard error, so that a user can send in the
    // listing of a server that is read wrongly.
    const auto reportSkipped = [&err](std::size_t lineNumber, std::string_view line) {
        err << "ferrix-probe: line " << lineNumber << " not read: " << ScrubListingLine(line, kMaxListingLine) << '\n';
    };
    const ListingReport report = ParseListingReport(text, options.mlsd ? ListingFormat::Mlsd : ListingFormat::Auto,
                                                    static_cast<std::int64_t>(std::time(nullptr)), ListingFormat::Auto,
                                                    true, reportSkipped);
    for (const auto& entry : report.entries)
        out << ListingEntryToJson(entry) << '\n';
    if (report.skippedLines > 0)
        err << "ferrix-probe: " << DescribeSkippedLines(report) << '\n';
    return 0;
}

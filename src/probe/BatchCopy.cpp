#include "probe/BatchCopy.h"

#include "net/FileChanges.h"
#include "net/FileLookup.h"
#include "net/FileTransfer.h"
#include "platform/inet/FtpConnection.h"
#include "platform/localfs/DriveMap.h"
#include "platform/ui/MessageBox.h"

#include <wx/defs.h>

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

struct DirectoryContent {
    std::vector<std::string> files;
    std::vector<std::string> directories;   // links to directories are not followed
};

// The program's form of a local path ("C:/tmp/a"), from one as the shell gives it.
std::string ProgramPath(const std::string& native)
{
    std::optional<std::string> path = localfs::ToProgramPath(std::filesystem::absolute(native).lexically_normal().string());
    if (!path)
        throw std::runtime_error(native + " lies on no drive");
    if (path->size() > 3 && path->back() == '/')
        path->pop_back();
    return *path;
}

// A host path made absolute against the connection's current directory.
std::string HostPath(CFtpConnection& connection, const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path.size() > 1 && path.back() == '/' ? path.substr(0, path.size() - 1) : path;
    std::string current;
    if (!connection.GetCurrentDirectory(current))
        throw std::runtime_error("cannot tell the current directory: " + connection.GetLastErrorText());
    return (current.back() == '/' ? current : current + "/") + path;
}

std::string Join(const std::string& directory, const std::string& name)
{
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

std::string BaseName(const std::string& path)
{
    return path.substr(path.find_last_of('/') + 1);
}

DirectoryContent ReadDirectory(Endpoint endpoint, const std::string& directory)
{
    DirectoryContent content;
    std::unique_ptr<CFileFinder> finder = MakeDirectoryFinder(endpoint);
    if (finder->FindFile(Join(directory, "*"))) {
        for (bool more = true; more;) {
            more = finder->FindNextFile();
            if (finder->IsDots())
                continue;
            if (!finder->IsDirectory())
                content.files.push_back(finder->GetFileName());
            else if (!finder->IsSymbolicLink())
                content.directories.push_back(finder->GetFileName());
        }
    } else if (finder->GetLastErrorCode() != ERROR_NO_MORE_FILES) {
        const std::string why = finder->GetLastErrorText();
        finder->Close();
        throw std::runtime_error("cannot read " + directory + (why.empty() ? "" : ": " + why));
    }
    // Closed before any copy: the connection carries one request at a time.
    finder->Close();
    return content;
}

class BatchRun {
public:
    BatchRun(Endpoint source, Endpoint destination, bool ascii, std::ostream& out, std::ostream& err)
        : m_transfer(source, destination, {{}, nullptr, [ascii] { return ascii ? 1 : 0; }}), m_source(source),
          m_destination(destination), m_out(out), m_err(err)
    {
    }

    void CopyOne(const std::string& source, const std::string& destination)
    {
        const CopyResult result = m_transfer.CopyFile(source, destination);
        if (result == Copied || result == Replaced) {
            ++m_copied;
            m_bytes += m_transfer.GetBytesCopied();
            m_out << "copied " << source << " -> " << destination << '\n';
        } else {
            ++m_failed;
            m_err << "ferrix-probe: " << source << " -> " << destination << " failed: " << m_transfer.GetLastError() << '\n';
        }
    }

    // Depth first, as the program copies a dragged folder: the folder, its files, its folders.
    void CopyTree(const std::string& source, const std::string& destination)
    {
        if (!FileExists(m_destination, destination) && !MakeDir(m_destination, destination)) {
            ++m_failed;
            m_err << "ferrix-probe: cannot create " << destination << '\n';
            return;
        }
        DirectoryContent content;
        try {
            content = ReadDirectory(m_source, source);
        } catch (const std::exception& error) {
            ++m_failed;
            m_err << "ferrix-probe: " << error.what() << '\n';
            return;
        }
        for (const std::string& name : content.files)
            CopyOne(Join(source, name), Join(destination, name));
        for (const std::string& name : content.directories)
            CopyTree(Join(source, name), Join(destination, name));
    }

    int Finish()
    {
        if (!m_transfer.Finish()) {
            ++m_failed;
            m_err << "ferrix-probe: " << m_transfer.GetLastError() << '\n';
        }
        m_out << m_copied << " files copied, " << m_bytes << " bytes";
        if (m_failed)
            m_out << ", " << m_failed << " failed";
        m_out << '\n';
        return m_failed == 0 ? 0 : 1;
    }

private:
    CFileTransfer m_transfer;
    Endpoint m_source;
    Endpoint m_destination;
    std::ostream& m_out;
    std::ostream& m_err;
    int m_copied = 0;
    int m_failed = 0;
    std::uint64_t m_bytes = 0;
};

}  // namespace

bool IsBatchCopyCommand(const std::string& command)
{
    return command == "mget" || command == "mput" || command == "get-tree" || command == "put-tree";
}

int RunBatchCopy(CFtpConnection& connection, const ProbeOptions& options, std::ostream& out, std::ostream& err)
{
    // A command line has no one to ask: existing files are replaced, as other tools do.
    ScopedMessageBoxAnswerer replace([](const std::string&, long) { return wxYES; });
    const std::string& command = options.command;
    const auto& args = options.arguments;
    const bool download = command == "mget" || command == "get-tree";
    BatchRun run(download ? &connection : nullptr, download ? nullptr : &connection, options.ascii, out, err);
    if (command == "mget") {
        const std::string folder = ProgramPath(args[0]);
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string source = HostPath(connection, args[i]);
            run.CopyOne(source, Join(folder, BaseName(source)));
        }
    } else if (command == "mput") {
        const std::string folder = HostPath(connection, args[0]);
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string source = ProgramPath(args[i]);
            run.CopyOne(source, Join(folder, BaseName(source)));
        }
    } else if (command == "get-tree") {
        run.CopyTree(HostPath(connection, args[0]), ProgramPath(args[1]));
    } else {
        run.CopyTree(ProgramPath(args[0]), HostPath(connection, args[1]));
    }
    return run.Finish();
}

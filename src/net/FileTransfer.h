#pragma once
// CFileTransfer: one copy batch between two endpoints (Endpoint.h), file by file. The direction
// follows from the endpoints; an existing destination is replaced only when the user says so,
// and then only once the new copy is complete: it is written under a hidden temporary name
// beside the old file and renamed over it at the end, so a copy that fails or is cancelled
// leaves the old file as it was. A copy to a new name keeps what arrived if it fails.
//
// Life of a batch: construct, AttachDialog, CopyFile per file (stop after Cancelled), Finish.
// Everything runs on the GUI thread; the progress pumps messages between blocks.
//
// New local files are made durable all at once when the batch finishes (one sync of each file
// system written to); a local file that replaces another is made durable before it takes the
// old one's name, so that a crash leaves one or the other whole.

#include "net/CopyProgress.h"
#include "net/Endpoint.h"
#include "platform/localfs/FileSystemSync.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CInternetSession;
struct HostProfile;
class BlockSource;
class CInternetFile;
class BlockTarget;

enum TransferMode { LocalToLocal = 0, LocalToRemote = 1, RemoteToLocal = 2, RemoteToRemote = 3, SameRemote = 4 };

enum CopyResult { CopyFailed = 0, Copied = 1, Replaced = 2, Skipped = 3, Cancelled = 4 };

// The context value of the second connection a copy within one host opens.
inline constexpr DWORD_PTR kSameHostContext = 13;

// Makes the session of that second connection (its notifications belong in the session log).
using SessionFactory = std::function<std::unique_ptr<CInternetSession>(DWORD_PTR context)>;

// What the batch needs of the program around it.
struct TransferSetup {
    SessionFactory makeSession;                     // for SameRemote only
    const HostProfile* sourceProfile = nullptr;     // the profile the source connection was opened with
    std::function<std::int32_t()> transferType;     // 0 "FTP Binary", 1 "FTP ASCII"; read per file opened
};

// The question asked before an existing destination is replaced.
inline constexpr const char* kOverwriteQuestion = "The file is already exist, Overwrite it?";

class CFileTransfer {
public:
    CFileTransfer(Endpoint source, Endpoint destination, TransferSetup setup = {});
    ~CFileTransfer();   // finishes the batch if the caller did not
    CFileTransfer(const CFileTransfer&) = delete;
    CFileTransfer& operator=(const CFileTransfer&) = delete;

    void AttachDialog(CopyProgress* dialog);
    CopyResult CopyFile(const std::string& source, const std::string& destination);
    // Ends the batch: stores what it wrote to local disks, closes the dialog and the second
    // connection. False, with the reason in GetLastError, when the system could not store
    // all the data written to local files; true on every later call.
    bool Finish();
    // Creates a directory on the destination for the batch (as MakeDir). A file copied directly
    // into a directory the batch created is not looked up first: nothing is in it but what
    // the batch put there, so no listing is read and no question asked for it.
    int MakeDirectory(const std::string& path);

    // Writes the status, time and percentage lines for `done` of `total` bytes; a `done` of 0
    // starts the file's clock. Nothing happens for a total of 0 or without a dialog.
    void UpdateProgress(std::uint64_t done, std::uint64_t total);

    TransferMode GetMode() const { return m_mode; }
    // In SameRemote: whether the second connection could be opened.
    bool HasExtraConnection() const { return m_pExtraConnection != nullptr; }

    // For the dialog: the user cancelled (never reset), and the dialog is going away.
    void RequestCancel() { m_bCancelRequested = true; }
    void ForgetDialog() { m_pDialog = nullptr; }
    bool CancelRequested() const { return m_bCancelRequested; }

    // Why the last file failed, for a log or a command-line tool (empty after a success).
    const std::string& GetLastError() const { return m_lastError; }
    // Bytes moved by the last CopyFile.
    std::uint64_t GetBytesCopied() const { return m_bytesCopied; }

    // The batch running now, if any: the window disables what would pull the endpoints away
    // from under it, and cancels it before closing.
    static bool IsBatchRunning();
    static void CancelRunningBatch();

private:
    void OpenExtraConnection();
    std::uint32_t FtpTransferType() const;

    // One file's paths: `target` is where the bytes go (the destination itself, or a temporary
    // name beside it that must not exist yet, `exclusive`).
    struct CopyPaths {
        std::string source;
        std::string destination;
        std::string target;
        bool exclusive = false;
    };

    // The copy routines (FileTransferRoutines.cpp): CopyFailed, Copied or Cancelled.
    CopyResult RunRoutine(const CopyPaths& paths);
    CopyResult CopyLocalToLocal(const CopyPaths& paths);
    CopyResult Upload(const CopyPaths& paths);
    CopyResult Download(const CopyPaths& paths);
    CopyResult CopyRemoteToRemote(const CopyPaths& paths);
    CopyResult CopyBlocks(BlockSource& source, BlockTarget& target, std::uint64_t size);
    // Where a local target's data is left to be made durable, or null when its Close must.
    localfs::FileSystemSync* LaterSyncFor(const CopyPaths& paths);
    void ShowFiles(const CopyPaths& paths);
    // A file opened on the host (see OpenRemoteFile), or null with the reason kept.
    std::unique_ptr<CInternetFile> OpenOnHost(CFtpConnection& connection, const std::string& path,
                                              std::uint32_t access, std::uint32_t type);
    // After an upload in binary: the size the host now reports must be what was sent.
    bool RemoteSizeMatches(const std::string& path);

    // Replacing through a temporary name (FileTransferReplace.cpp).
    std::string TemporaryNameBeside(const std::string& destination);
    bool ReplaceWith(const std::string& temporary, const std::string& destination);

    // Whether `destination` is the first of its name (case folded: a host may not tell "A"
    // from "a") to go into a directory the batch created; it is then counted as there.
    bool IsFirstInCreatedDirectory(const std::string& destination);

    void Fail(std::string why) { m_lastError = std::move(why); }

    Endpoint m_source;
    Endpoint m_destination;
    TransferMode m_mode;
    CopyProgress* m_pDialog = nullptr;   // not owned: the window owns itself
    bool m_bCancelRequested = false;
    std::unique_ptr<CInternetSession> m_pExtraSession;
    std::unique_ptr<CFtpConnection> m_pExtraConnection;
    TransferSetup m_setup;
    bool m_bFinished = false;
    std::time_t m_fileStart = 0;
    std::string m_lastError;
    std::uint64_t m_bytesCopied = 0;
    std::string m_extraConnectionError;   // why the second connection could not be opened
    // The directories the batch created (with their trailing "/"), with the folded names of
    // what it has put in each.
    std::map<std::string, std::set<std::string>> m_createdDirectories;
    // The local file systems new files were written to, stored by Finish.
    localfs::FileSystemSync m_deferredSync;
};

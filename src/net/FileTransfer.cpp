#include "net/FileTransfer.h"

#include "net/ConnectionSecurity.h"
#include "net/FileChanges.h"
#include "net/FileLookup.h"
#include "net/PathParts.h"
#include "platform/AsciiCase.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetSession.h"
#include "platform/ui/MessageBox.h"
#include "profiles/HostProfile.h"

#include <wx/defs.h>

#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

namespace {

// The batches constructed and not yet finished (one, unless a caller nests them).
std::vector<CFileTransfer*>& RunningBatches()
{
    static std::vector<CFileTransfer*> running;
    return running;
}

TransferMode ModeFor(Endpoint source, Endpoint destination)
{
    if (!source)
        return destination ? LocalToRemote : LocalToLocal;
    if (!destination)
        return RemoteToLocal;
    return source == destination ? SameRemote : RemoteToRemote;
}

}  // namespace

CFileTransfer::CFileTransfer(Endpoint source, Endpoint destination, TransferSetup setup)
    : m_source(source), m_destination(destination), m_mode(ModeFor(source, destination)), m_setup(std::move(setup))
{
    RunningBatches().push_back(this);
    if (m_mode == SameRemote)
        OpenExtraConnection();
}

CFileTransfer::~CFileTransfer()
{
    Finish();
}

void CFileTransfer::OpenExtraConnection()
{
    // The file being read and the file being written each need a connection of their own: a
    // connection carries one transfer at a time.
    if (!m_setup.makeSession || !m_setup.sourceProfile)
        return;
    const HostProfile& profile = *m_setup.sourceProfile;
    try {
        m_pExtraSession = m_setup.makeSession(kSameHostContext);
        if (!m_pExtraSession)
            return;
        m_pExtraSession->EnableStatusCallback(true);
        const auto port = profile.useDefaultPort ? std::uint16_t{0} : static_cast<std::uint16_t>(profile.port);
        m_pExtraConnection.reset(m_pExtraSession->GetFtpConnection(profile.host, profile.user, profile.password, port,
                                                                   profile.passive != 0, SecurityLike(*m_source, profile)));
        LogIfUnencrypted(*m_pExtraConnection);
    } catch (const std::exception& error) {
        // Every file of the batch then fails at once; the reason is kept for the caller.
        m_extraConnectionError = error.what();
        m_pExtraConnection.reset();
    }
}

void CFileTransfer::AttachDialog(CopyProgress* dialog)
{
    m_pDialog = dialog;
    if (m_pDialog)
        m_pDialog->AttachTransfer(this);
}

std::uint32_t CFileTransfer::FtpTransferType() const
{
    // Indexed by the setting: 0 "FTP Binary", 1 "FTP ASCII". Any other value copies in binary,
    // which never changes a byte.
    constexpr std::uint32_t kTypes[] = {FTP_TRANSFER_TYPE_BINARY, FTP_TRANSFER_TYPE_ASCII};
    const std::int32_t setting = m_setup.transferType ? m_setup.transferType() : 0;
    return setting == 1 ? kTypes[1] : kTypes[0];
}

CopyResult CFileTransfer::CopyFile(const std::string& source, const std::string& destination)
{
    m_lastError.clear();
    m_bytesCopied = 0;
    if (m_bCancelRequested)
        return Cancelled;
    // Without its second connection a copy within one host cannot happen: fail before the
    // question, so that nothing is asked, let alone deleted, for it.
    if (m_mode == SameRemote && !m_pExtraConnection) {
        Fail(m_extraConnectionError.empty() ? "No second connection to the host" : m_extraConnectionError);
        return CopyFailed;
    }

    const bool exists = !IsFirstInCreatedDirectory(destination) && FileExists(m_destination, destination) != 0;
    if (exists && AfxMessageBox(kOverwriteQuestion, wxYES_NO) != wxYES)
        return Skipped;

    CopyPaths paths{source, destination, destination, false};
    if (exists) {
        paths.target = TemporaryNameBeside(destination);
        paths.exclusive = true;
        if (paths.target.empty())
            return CopyFailed;
    }
    const CopyResult result = RunRoutine(paths);
    if (!exists)
        return result;
    if (result == Copied)
        return ReplaceWith(paths.target, destination) ? Replaced : CopyFailed;
    // The old file is untouched; what was written of the new one goes.
    RemoveFile(m_destination, paths.target);
    return result;
}

int CFileTransfer::MakeDirectory(const std::string& path)
{
    if (!MakeDir(m_destination, path))
        return 0;
    // Created just now (MKD and mkdir refuse a directory that is there), so empty.
    m_createdDirectories[path.empty() || path.back() != '/' ? path + "/" : path].clear();
    return 1;
}

bool CFileTransfer::IsFirstInCreatedDirectory(const std::string& destination)
{
    std::string directory;
    std::string name;
    SplitPath(destination, directory, name);
    const auto created = m_createdDirectories.find(directory);
    if (created == m_createdDirectories.end())
        return false;
    return created->second.insert(ToLowerAscii(name)).second;
}

bool CFileTransfer::Finish()
{
    if (m_bFinished)
        return true;
    m_bFinished = true;
    // While the dialog still says that the copy is under way.
    std::string why;
    const bool stored = m_deferredSync.SyncAll(why);
    if (!stored)
        Fail("The copied files could not all be stored on the disk: " + why);
    if (m_pDialog) {
        CopyProgress* dialog = std::exchange(m_pDialog, nullptr);
        dialog->AttachTransfer(nullptr);
        dialog->Dismiss();
    }
    if (m_pExtraConnection) {
        try {
            m_pExtraConnection->Close();
        } catch (const std::exception&) {
            // The batch is over; a connection that cannot say goodbye is closed all the same.
        }
        m_pExtraConnection.reset();
    }
    if (m_pExtraSession) {
        m_pExtraSession->Close();
        m_pExtraSession.reset();
    }
    std::erase(RunningBatches(), this);
    return stored;
}

void CFileTransfer::UpdateProgress(std::uint64_t done, std::uint64_t total)
{
    if (total == 0 || !m_pDialog)
        return;
    const std::time_t now = std::time(nullptr);
    if (done == 0)
        m_fileStart = now;
    m_pDialog->ShowProgress(FormatProgress(done, total, static_cast<std::int64_t>(now - m_fileStart)));
}

bool CFileTransfer::IsBatchRunning()
{
    return !RunningBatches().empty();
}

void CFileTransfer::CancelRunningBatch()
{
    for (CFileTransfer* transfer : RunningBatches())
        transfer->RequestCancel();
}

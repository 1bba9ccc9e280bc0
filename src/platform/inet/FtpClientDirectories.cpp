// The current directory: remembered, so that changing to the directory the caller is already
// in costs no round trip, and restored lazily after a listing has moved the server elsewhere.

#include "platform/inet/FtpClient.h"

#include "platform/inet/PwdReply.h"
#include "platform/inet/RemotePath.h"

void FtpClient::SyncDirectory()
{
    if (!m_workingDir || m_serverDir == m_workingDir)
        return;
    RequireSuccess(Command("CWD", *m_workingDir));
    m_serverDir = m_workingDir;
    m_workingDirConfirmed = true;
}

void FtpClient::GoTo(const std::string& target, const std::string& asGiven)
{
    if (m_serverDir == target)
        return;
    RequireSuccess(Command("CWD", asGiven));
    m_serverDir = target;
}

void FtpClient::ForgetDirectoriesUnder(const std::string& path)
{
    std::optional<std::string> target = ResolveRemoteDirectory(m_workingDir.value_or(std::string()), path);
    if (!target) {
        // Cannot tell what the path names: trust nothing remembered.
        m_workingDirConfirmed = false;
        SyncDirectory();
        m_serverDir.reset();
        return;
    }
    // Servers on some systems refuse to remove or rename the directory a session stands in;
    // a listing may have left the server in it.
    if (m_serverDir && m_serverDir != m_workingDir && IsSameOrInside(*m_serverDir, *target))
        SyncDirectory();
    if (m_serverDir && IsSameOrInside(*m_serverDir, *target))
        m_serverDir.reset();
    if (m_workingDir && IsSameOrInside(*m_workingDir, *target))
        m_workingDirConfirmed = false;
}

void FtpClient::ChangeDirectory(const std::string& directory)
{
    Request([&] {
        std::optional<std::string> target = ResolveRemoteDirectory(m_workingDir.value_or(std::string()), directory);
        if (target) {
            if (m_workingDir == target && m_workingDirConfirmed)
                return;
            if (m_serverDir != target || !m_workingDirConfirmed)
                RequireSuccess(Command("CWD", *target));
            m_workingDir = m_serverDir = target;
            m_workingDirConfirmed = true;
            return;
        }
        // A path with "." or "..", or relative to an unknown place: the server resolves it
        // and PWD tells where that is.
        PrepareFor(directory);
        RequireSuccess(Command("CWD", directory));
        m_serverDir.reset();
        FtpReply pwd = Command("PWD");
        m_workingDir = pwd.IsSuccess() ? ParsePwdReply(pwd.FirstLineText()) : std::nullopt;
        m_serverDir = m_workingDir;
        m_workingDirConfirmed = true;
    });
}

std::string FtpClient::CurrentDirectory()
{
    // Asked of the server every time: the caller wants the server's own name for the place
    // (symbolic links resolved), and asking also shows that the session is still alive.
    std::string directory;
    Request([&] {
        SyncDirectory();
        FtpReply pwd = Command("PWD");
        RequireSuccess(pwd);
        std::optional<std::string> parsed = ParsePwdReply(pwd.FirstLineText());
        if (!parsed)
            Fail(pwd);
        m_workingDir = m_serverDir = parsed;
        m_workingDirConfirmed = true;
        directory = *parsed;
    });
    return directory;
}

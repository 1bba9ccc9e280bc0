#include "platform/inet/FtpClient.h"

#include "platform/inet/FtpTransfer.h"
#include "platform/inet/PwdReply.h"
#include "platform/inet/Resolver.h"
#include "platform/inet/SecretScrubber.h"
#include "platform/inet/TlsStream.h"

#include <algorithm>

namespace {

// A connection found dropped is re-opened once per request; a server that keeps dropping it
// is reported rather than chased.
constexpr int kMaxReopenAttempts = 1;
// QUIT is a courtesy; a server that does not answer it must not hold up closing.
constexpr std::chrono::milliseconds kQuitReplyTimeout{2000};
constexpr int kNeedPassword = 331;
constexpr int kNeedAccount = 332;
constexpr const char* kAnonymousUser = "anonymous";
constexpr const char* kAnonymousPassword = "anonymous@";

}  // namespace

FtpClient::FtpClient(FtpServerLogin login, StatusReporter::Sink sink, DWORD_PTR context, TimeoutSource timeout)
    : m_login(std::move(login)), m_status(std::move(sink), context), m_timeout(std::move(timeout)),
      m_passive(m_login.passive)
{
    if (!m_timeout)
        m_timeout = [] { return std::chrono::milliseconds(30000); };
}

FtpClient::~FtpClient() = default;

std::string FtpClient::Scrub(std::string text) const
{
    return ScrubSecret(std::move(text), m_login.password);
}

void FtpClient::Fail(const FtpReply& reply) const
{
    throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, Scrub(reply.Text()));
}

void FtpClient::RequireSuccess(const FtpReply& reply) const
{
    if (!reply.IsSuccess())
        Fail(reply);
}

void FtpClient::Open()
{
    try {
        Connect();
    } catch (const ControlConnectionLost& lost) {
        // At logon a closed connection or a 421 ("too many users") is the server's refusal.
        throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, Scrub(lost.GetText()));
    }
}

void FtpClient::Connect()
{
    m_status.Report(INTERNET_STATUS_RESOLVING_NAME, m_login.host);
    const std::vector<SocketAddress> addresses = ResolveHost(m_login.host, m_login.port, Timeout());
    m_status.Report(INTERNET_STATUS_NAME_RESOLVED, addresses.front().Host());

    std::unique_ptr<TcpStream> stream;
    std::optional<CInternetException> lastError;
    for (const SocketAddress& address : addresses) {
        m_status.Report(INTERNET_STATUS_CONNECTING_TO_SERVER, address.ToString());
        try {
            stream = TcpStream::Connect(address, SocketRole::Control, Timeout());
            break;
        } catch (const CInternetException& error) {
            lastError = error;
        }
    }
    if (!stream)
        throw *lastError;
    m_status.Report(INTERNET_STATUS_CONNECTED_TO_SERVER, stream->PeerAddress().ToString());
    m_control = std::make_unique<ControlChannel>(std::move(stream), m_status);
    try {
        LogIn();
    } catch (...) {
        DropControl();
        throw;
    }
}

void FtpClient::LogIn()
{
    RequireSuccess(m_control->ReadGreeting(Timeout()));
    SecureControl();

    const std::string user = m_login.user.empty() ? kAnonymousUser : m_login.user;
    std::string password = m_login.password;
    if (password.empty() && user == kAnonymousUser)
        password = kAnonymousPassword;

    FtpReply reply = Command("USER", user);
    if (reply.code == kNeedPassword)
        reply = Command("PASS", password);
    if (reply.code == kNeedAccount) {
        if (m_login.account.empty())
            throw CInternetException(ERROR_INTERNET_INCORRECT_PASSWORD, Scrub(reply.Text()));
        reply = Command("ACCT", m_login.account);
    }
    if (!reply.IsSuccess()) {
        if (reply.code >= 500 || reply.IsIntermediate())
            throw CInternetException(ERROR_INTERNET_INCORRECT_PASSWORD, Scrub(reply.Text()));
        Fail(reply);
    }
    ProtectData();

    const bool reopening = m_everConnected;
    if (!reopening)
        m_features = FtpFeatures::FromReply(Command("FEAT"));
    // Some servers switch to UTF-8 names only when asked; others (pyftpdlib) refuse the
    // request and use UTF-8 anyway, so the answer changes nothing.
    if (m_features.Has("UTF8"))
        Command("OPTS", "UTF8 ON");

    m_type.reset();
    if (!reopening) {
        FtpReply pwd = Command("PWD");
        if (pwd.IsSuccess())
            m_workingDir = ParsePwdReply(pwd.FirstLineText());
        m_serverDir = m_workingDir;
    } else {
        // The new login starts where the server puts it; bring it back to the caller's place.
        m_serverDir.reset();
        if (m_workingDir && Command("CWD", *m_workingDir).IsSuccess())
            m_serverDir = m_workingDir;
    }
    m_everConnected = true;
}

void FtpClient::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_status.Report(INTERNET_STATUS_CLOSING_CONNECTION);
    if (m_control) {
        try {
            m_control->Send("QUIT", {}, std::min(Timeout(), kQuitReplyTimeout));
            m_control->ReadReply(std::min(Timeout(), kQuitReplyTimeout), true);
        } catch (const CInternetException&) {
            // The connection is being given up either way.
        }
        DropControl();
    }
    m_status.Report(INTERNET_STATUS_CONNECTION_CLOSED);
}

void FtpClient::Request(const std::function<void()>& body)
{
    if (m_closed)
        throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE, "The connection is closed");
    if (m_busy)
        throw CInternetException(ERROR_FTP_TRANSFER_IN_PROGRESS,
                                 "Another file or directory search is still open on this connection");
    for (int attempt = 0;; ++attempt) {
        try {
            if (!m_control)
                Connect();
            body();
            return;
        } catch (const ControlConnectionLost& lost) {
            DropControl();
            if (attempt >= kMaxReopenAttempts || lost.MayHaveTakenEffect())
                throw ControlConnectionLost(lost.MayHaveTakenEffect(), Scrub(lost.GetText()));
        }
    }
}

FtpReply FtpClient::Command(std::string_view verb, std::string_view argument, bool hasEffect)
{
    if (!m_control)
        throw ControlConnectionLost(false, "The connection to the server was lost");
    if (std::optional<std::string> why = m_control->WhyUnusable(Timeout()))
        throw ControlConnectionLost(false, *why);
    try {
        ++m_commandsSent;
        m_control->Send(verb, argument, Timeout());
        return m_control->ReadReply(Timeout(), hasEffect);
    } catch (const ControlConnectionLost&) {
        throw;
    } catch (const CInternetException& error) {
        // An argument refused before sending leaves the connection as it was; after anything
        // else (a time-out, a garbled reply) its state is unknown and it is given up.
        if (error.m_dwError != ERROR_INTERNET_INVALID_PARAMETER)
            DropControl();
        throw;
    }
}

void FtpClient::EnsureType(char type)
{
    if (m_type == type)
        return;
    RequireSuccess(Command("TYPE", std::string(1, type)));
    m_type = type;
}

void FtpClient::PrepareFor(const std::string& path)
{
    if (path.empty() || path.front() != '/')
        SyncDirectory();
}

void FtpClient::MakeDirectory(const std::string& path)
{
    Request([&] {
        PrepareFor(path);
        RequireSuccess(Command("MKD", path, true));
    });
}

void FtpClient::RemoveDirectory(const std::string& path)
{
    Request([&] {
        PrepareFor(path);
        ForgetDirectoriesUnder(path);
        RequireSuccess(Command("RMD", path, true));
    });
}

void FtpClient::DeleteFile(const std::string& path)
{
    Request([&] {
        PrepareFor(path);
        RequireSuccess(Command("DELE", path, true));
    });
}

void FtpClient::Rename(const std::string& oldPath, const std::string& newPath)
{
    Request([&] {
        PrepareFor(oldPath);
        PrepareFor(newPath);
        ForgetDirectoriesUnder(oldPath);
        FtpReply reply = Command("RNFR", oldPath);
        if (!reply.IsIntermediate())
            Fail(reply);
        RequireSuccess(Command("RNTO", newPath, true));
    });
}

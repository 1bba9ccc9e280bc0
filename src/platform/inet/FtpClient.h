#pragma once
// The FTP protocol engine behind a CFtpConnection: one control connection, logged in, with
// the server's features, the remembered current directory and the data-connection mode that
// worked. Synchronous; every network wait is bounded by the session's timeout. Failures are
// thrown as CInternetException.
//
// Requests are re-sent once over a freshly opened connection when the old one turns out to
// have been dropped by the server before the request could reach it (idle time-outs).

#include "platform/inet/ControlChannel.h"
#include "platform/inet/FtpFeatures.h"
#include "platform/inet/FtpSecurity.h"
#include "platform/inet/ListingEntry.h"
#include "platform/inet/StatusReporter.h"
#include "platform/inet/TcpListener.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FtpTransfer;
class TlsContext;
class TlsStream;

struct FtpServerLogin {
    std::string host;
    std::uint16_t port = INTERNET_DEFAULT_FTP_PORT;
    std::string user;       // empty: "anonymous"
    std::string password;
    std::string account;    // sent with ACCT when the server asks for one (332)
    bool passive = true;
    FtpSecurity security;
};

enum class TransferDirection { Download, Upload };

// A data connection opened for a transfer command, with the server's reply to that command.
struct DataChannel {
    std::unique_ptr<ByteStream> stream;
    FtpReply opening;                     // the 1xx, or the final reply when the server sent no 1xx
    std::optional<FtpReply> finalReply;   // set when the server already said the transfer ended
};

class FtpClient {
public:
    using TimeoutSource = std::function<std::chrono::milliseconds()>;

    FtpClient(FtpServerLogin login, StatusReporter::Sink sink, DWORD_PTR context, TimeoutSource timeout);
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // Resolves, connects and logs in.
    void Open();
    // Says QUIT and closes; later requests fail.
    void Close();

    void ChangeDirectory(const std::string& directory);
    std::string CurrentDirectory();
    void MakeDirectory(const std::string& path);
    void RemoveDirectory(const std::string& path);
    void DeleteFile(const std::string& path);
    void Rename(const std::string& oldPath, const std::string& newPath);

    // The entries a finder pattern selects ("*", "dir/*", "name", "dir/name"), always as the
    // server has them now. Empty only when the listing arrived and nothing in it matches; a
    // directory that cannot be listed (missing, refused, cut off, over the listing limits)
    // throws CInternetException.
    std::vector<ListingEntry> Find(const std::string& pattern);

    // One file's facts over the control connection alone (no listing, no data connection), in
    // FtpClientFileFacts.cpp: SIZE in binary mode and MDTM (UTC), each only where FEAT announces
    // it. nullopt whenever the server does not say: no such command, no such file, a directory
    // (refused by the servers we know), a reply that is no size or time.
    std::optional<std::uint64_t> FileSize(const std::string& path);
    std::optional<std::int64_t> FileModifiedTime(const std::string& path);

    // Starts RETR or STOR. The transfer must be finished or destroyed before the next request.
    std::unique_ptr<FtpTransfer> OpenFile(const std::string& path, TransferDirection direction, bool ascii);

    // One request at a time: set while a finder or a file holds the connection.
    bool Busy() const { return m_busy; }
    void SetBusy(bool busy) { m_busy = busy; }

    StatusReporter& Status() { return m_status; }
    std::chrono::milliseconds Timeout() const { return m_timeout(); }
    const FtpFeatures& Features() const { return m_features; }
    // True while the control connection and every data connection are encrypted.
    bool Encrypted() const { return m_controlSecured && m_dataProtected; }
    const std::string& AcceptedFingerprint() const { return m_approvedFingerprint; }

    // For FtpTransfer: the control connection while it is up, and giving it up when its state
    // is no longer known (a time-out, an aborted transfer whose reply never came).
    ControlChannel* Control() { return m_control.get(); }
    void DropControl() noexcept { m_control.reset(); }
    // A server reply text made safe to show: the password never appears in it.
    std::string Scrub(std::string text) const;

    // For FtpTransfer, to continue a binary file after a connection dropped; in
    // FtpClientResume.cpp. They bypass the one-request rule: the file holds the connection.
    // A new control connection: the same login, the same security, the same data-connection mode.
    void Reconnect();
    // The size of `path` on the server in bytes: SIZE where the server has it, else its
    // listing; nullopt when neither says.
    std::optional<std::uint64_t> StoredSize(const std::string& path);
    // Starts the transfer of `path` again at byte `offset`, in binary: REST (which the server
    // must accept) and RETR for a download; for an upload REST and STOR where the server
    // announces REST STREAM, else APPE (then `offset` must be the size the server holds).
    DataChannel RestartTransfer(const std::string& path, TransferDirection direction, std::uint64_t offset);

private:
    // The protocol flow, in FtpClient.cpp.
    // Runs one request of the caller's; see the comment at the top for when it runs twice.
    void Request(const std::function<void()>& body);
    void Connect();
    void LogIn();
    FtpReply Command(std::string_view verb, std::string_view argument = {}, bool hasEffect = false);
    [[noreturn]] void Fail(const FtpReply& reply) const;
    void RequireSuccess(const FtpReply& reply) const;
    void EnsureType(char type);
    // A path relative to the current directory needs the server to be there.
    void PrepareFor(const std::string& path);

    // Explicit FTP over TLS, in FtpClientSecurity.cpp.
    // AUTH TLS and the handshake, before anything secret is sent.
    void SecureControl();
    void CheckCertificate(const TlsStream& stream);
    // PBSZ and PROT once logged in: data connections encrypted from then on.
    void ProtectData();
    std::unique_ptr<ByteStream> SecureData(std::unique_ptr<ByteStream> data, bool finalReplyPending);

    // Directories, in FtpClientDirectories.cpp.
    void SyncDirectory();
    void GoTo(const std::string& target, const std::string& asGiven);
    void ForgetDirectoriesUnder(const std::string& path);

    // Listings, in FtpClientListing.cpp.
    std::vector<ListingEntry> ListDirectory(const std::string& directory);
    std::vector<ListingEntry> LookUpName(const std::string& directory, const std::string& name);
    struct Listing {
        std::vector<ListingEntry> entries;
        bool blank = true;   // the server sent nothing but blanks and line ends
    };
    // The whole listing, parsed as it arrives. A refused command throws TransferRefused.
    Listing ReadListing(std::string_view verb, std::string_view argument, ListingFormat format);

    // Data connections, in FtpClientTransfers.cpp.
    std::unique_ptr<FtpTransfer> StartTransfer(std::string_view verb, std::string_view argument, bool hasEffect,
                                               TransferDirection direction, bool ascii,
                                               std::optional<std::uint64_t> expectedSize);
    // The data connection and the transfer command, with REST `restartAt` just before it.
    DataChannel OpenDataChannel(std::string_view verb, std::string_view argument, bool hasEffect,
                                std::optional<std::uint64_t> restartAt);
    std::uint16_t RequestPassivePort();
    std::unique_ptr<TcpListener> OfferActivePort();
    std::optional<std::uint64_t> RemoteSize(const std::string& path);
    // SIZE in binary mode where announced, within a request already running.
    std::optional<std::uint64_t> BinarySize(const std::string& path);

    enum class PassiveCommand { Unknown, Epsv, Pasv };
    enum class ActiveCommand { Unknown, Eprt, Port };

    FtpServerLogin m_login;
    StatusReporter m_status;
    TimeoutSource m_timeout;
    std::unique_ptr<ControlChannel> m_control;
    bool m_everConnected = false;
    bool m_closed = false;
    bool m_busy = false;

    std::unique_ptr<TlsContext> m_tls;
    bool m_controlSecured = false;
    bool m_dataProtected = false;
    std::string m_approvedFingerprint;           // a certificate accepted without the trust store

    FtpFeatures m_features;
    std::optional<char> m_type;                  // TYPE in force, unknown after a reconnect
    // The last SIZE asked and its answer, with the number of the command that asked it and
    // when: the same question right after it (a caller's own check before it opens the file,
    // then the opening's) is answered without a second round trip. Only at once: another
    // client may change the file while this connection idles.
    struct SizeAnswer {
        std::string path;
        std::optional<std::uint64_t> size;
        std::uint64_t command = 0;
        std::chrono::steady_clock::time_point asked;
    };
    static constexpr std::chrono::seconds kSizeAnswerLife{1};
    std::optional<SizeAnswer> m_lastSize;
    std::uint64_t m_commandsSent = 0;
    PassiveCommand m_passiveCommand = PassiveCommand::Unknown;
    ActiveCommand m_activeCommand = ActiveCommand::Unknown;
    bool m_passive = true;
    std::optional<bool> m_listAllWorks;          // whether "LIST -a" is understood

    // The caller's current directory, and where the server really is: a listing of another
    // directory moves the server there, and it is moved back only when a request needs it.
    std::optional<std::string> m_workingDir;
    std::optional<std::string> m_serverDir;
    bool m_workingDirConfirmed = true;           // false once something may have removed it
};

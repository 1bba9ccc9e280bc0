#include "platform/inet/TlsStream.h"

#include "platform/inet/InternetException.h"
#include "platform/inet/SocketWait.h"

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// The closing alert is a courtesy to the peer; a peer that does not take it must not hold up
// closing.
constexpr std::chrono::milliseconds kClosingAlertTimeout{2000};

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};

bool IsAddressLiteral(const std::string& host)
{
    unsigned char address[sizeof(in6_addr)];
    return ::inet_pton(AF_INET, host.c_str(), address) == 1 || ::inet_pton(AF_INET6, host.c_str(), address) == 1;
}

// The text an OpenSSL printing function wrote into a memory BIO.
template <typename Print>
std::string PrintToString(Print print)
{
    std::unique_ptr<BIO, BioFree> bio(BIO_new(BIO_s_mem()));
    if (!bio)
        return {};
    print(bio.get());
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio.get(), &data);
    return length > 0 ? std::string(data, static_cast<std::size_t>(length)) : std::string();
}

std::string NameText(const X509_NAME* name)
{
    // RFC 2253 with control bytes escaped, but UTF-8 left readable.
    const unsigned long flags = XN_FLAG_RFC2253 & ~ASN1_STRFLGS_ESC_MSB;
    return PrintToString([&](BIO* bio) { X509_NAME_print_ex(bio, name, 0, flags); });
}

std::string TimeText(const ASN1_TIME* time)
{
    return PrintToString([&](BIO* bio) { ASN1_TIME_print(bio, time); });
}

std::string Fingerprint(const X509* certificate)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (X509_digest(certificate, EVP_sha256(), digest, &length) != 1)
        return {};
    static const char* const kHex = "0123456789ABCDEF";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        if (i > 0)
            text += ':';
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0xf];
    }
    return text;
}

// The reason of the last OpenSSL error ("wrong version number"), and clears the queue.
std::string TakeSslErrorReason()
{
    const unsigned long code = ERR_peek_last_error();
    ERR_clear_error();
    const char* reason = code != 0 ? ERR_reason_error_string(code) : nullptr;
    return reason ? reason : "no further detail";
}

}  // namespace

// The glue that lets OpenSSL read and write through the inner ByteStream. Exceptions of the
// inner stream cannot pass through OpenSSL's C frames; they are kept and thrown again once
// the OpenSSL call has returned.
struct TlsStreamBio {
    static TlsStream& Owner(BIO* bio) { return *static_cast<TlsStream*>(BIO_get_data(bio)); }

    static int Write(BIO* bio, const char* data, int length)
    {
        BIO_clear_retry_flags(bio);
        TlsStream& self = Owner(bio);
        try {
            self.m_inner->SendAll(std::string_view(data, static_cast<std::size_t>(length)), self.m_sendTimeout);
            return length;
        } catch (...) {
            self.m_innerError = std::current_exception();
            return -1;
        }
    }

    static int Read(BIO* bio, char* buffer, int capacity)
    {
        BIO_clear_retry_flags(bio);
        TlsStream& self = Owner(bio);
        try {
            std::optional<std::size_t> got = self.m_inner->TryReceive(buffer, static_cast<std::size_t>(capacity));
            if (!got) {
                BIO_set_retry_read(bio);
                return -1;
            }
            return static_cast<int>(*got);
        } catch (...) {
            self.m_innerError = std::current_exception();
            return -1;
        }
    }

    static long Control(BIO*, int command, long, void*) { return command == BIO_CTRL_FLUSH ? 1 : 0; }

    static int Create(BIO* bio)
    {
        BIO_set_init(bio, 1);
        return 1;
    }

    static BIO_METHOD* Method()
    {
        static BIO_METHOD* const method = [] {
            BIO_METHOD* made = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "ferrix byte stream");
            if (made) {
                BIO_meth_set_write(made, &Write);
                BIO_meth_set_read(made, &Read);
                BIO_meth_set_ctrl(made, &Control);
                BIO_meth_set_create(made, &Create);
            }
            return made;
        }();
        return method;
    }
};

TlsContext::TlsContext() : m_context(SSL_CTX_new(TLS_client_method()))
{
    if (!m_context || SSL_CTX_set_min_proto_version(m_context.get(), TLS1_2_VERSION) != 1)
        throw CInternetException(ERROR_INTERNET_INTERNAL_ERROR, "TLS cannot be set up: " + TakeSslErrorReason());
    // The certificate is judged after the handshake (trust store, then the caller's trusted
    // fingerprints or approval), so the handshake itself must not stop at an unknown one.
    SSL_CTX_set_verify(m_context.get(), SSL_VERIFY_NONE, nullptr);
    SSL_CTX_set_default_verify_paths(m_context.get());
    ERR_clear_error();
}

TlsStream::TlsStream(std::unique_ptr<ByteStream> inner, const TlsContext& context, const std::string& host,
                     SSL_SESSION* resume, std::chrono::milliseconds timeout)
    : m_inner(std::move(inner)), m_ssl(SSL_new(context.Get())), m_host(host), m_sendTimeout(timeout)
{
    BIO* bio = m_ssl ? BIO_new(TlsStreamBio::Method()) : nullptr;
    if (!bio)
        throw CInternetException(ERROR_INTERNET_INTERNAL_ERROR, "TLS cannot be set up: " + TakeSslErrorReason());
    BIO_set_data(bio, this);
    SSL_set_bio(m_ssl.get(), bio, bio);

    std::string name = host;
    if (name.size() > 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    if (IsAddressLiteral(name)) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(m_ssl.get()), name.c_str());
    } else {
        SSL_set_tlsext_host_name(m_ssl.get(), name.c_str());
        SSL_set1_host(m_ssl.get(), name.c_str());
    }
    if (resume)
        SSL_set_session(m_ssl.get(), resume);
    SSL_set_connect_state(m_ssl.get());

    const auto deadline = Clock::now() + timeout;
    for (;;) {
        ERR_clear_error();
        Outcome outcome = Outcome::Done;
        try {
            outcome = Check(SSL_do_handshake(m_ssl.get()), "handshake");
        } catch (const CInternetException& error) {
            if (error.m_dwError == ERROR_INTERNET_TIMEOUT)
                throw;
            throw CInternetException(ERROR_INTERNET_SECURITY_CHANNEL_ERROR,
                                     "The encrypted connection could not be set up: " + error.GetText());
        }
        if (outcome == Outcome::Done)
            break;
        if (outcome == Outcome::Closed)
            throw CInternetException(ERROR_INTERNET_SECURITY_CHANNEL_ERROR,
                                     "The encrypted connection could not be set up: the server closed it");
        WaitForData(deadline);
    }
}

TlsStream::~TlsStream()
{
    if (!m_ssl || !SSL_is_init_finished(m_ssl.get()) || (SSL_get_shutdown(m_ssl.get()) & SSL_SENT_SHUTDOWN))
        return;
    m_sendTimeout = std::min(m_sendTimeout, kClosingAlertTimeout);
    ERR_clear_error();
    SSL_shutdown(m_ssl.get());
    m_innerError = nullptr;   // a peer already gone is no news while closing
    ERR_clear_error();
    // Records never read (a session ticket sent after the handshake) would make the system
    // reset the connection on close, and a reset throws away the end of an upload that is
    // still on its way to the server.
    try {
        char unread[4096];
        for (std::optional<std::size_t> got = m_inner->TryReceive(unread, sizeof unread); got && *got > 0;
             got = m_inner->TryReceive(unread, sizeof unread)) {
        }
    } catch (const CInternetException&) {
        // The peer is gone already; nothing left to protect.
    }
}

TlsStream::Outcome TlsStream::Check(int result, const char* what)
{
    if (result > 0)
        return Outcome::Done;
    const int error = SSL_get_error(m_ssl.get(), result);
    if (m_innerError) {
        ERR_clear_error();
        std::rethrow_exception(std::exchange(m_innerError, nullptr));
    }
    switch (error) {
    case SSL_ERROR_WANT_READ:
    case SSL_ERROR_WANT_WRITE:   // the inner stream sends all or fails; only a renegotiation reads
        return Outcome::WantRead;
    case SSL_ERROR_ZERO_RETURN:
        return Outcome::Closed;
    default:
        break;
    }
    const unsigned long code = ERR_peek_last_error();
    if (error == SSL_ERROR_SYSCALL || ERR_GET_REASON(code) == SSL_R_UNEXPECTED_EOF_WHILE_READING) {
        ERR_clear_error();
        // Without the closing alert, an end of the connection cannot be told from a cut one.
        throw CInternetException(ERROR_INTERNET_CONNECTION_ABORTED,
                                 "The server ended the encrypted connection without closing it properly");
    }
    throw CInternetException(ERROR_INTERNET_SECURITY_CHANNEL_ERROR,
                             std::string("The encrypted connection failed (") + what + ": " + TakeSslErrorReason()
                                 + ")");
}

void TlsStream::WaitForData(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || WaitReadable(m_inner->PollHandle(), left) == WaitResult::TimedOut)
        throw CInternetException(ERROR_INTERNET_TIMEOUT, "Timed out waiting for the server");
}

void TlsStream::SendAll(std::string_view data, std::chrono::milliseconds timeout)
{
    m_sendTimeout = timeout;
    const auto deadline = Clock::now() + timeout;
    while (!data.empty()) {
        ERR_clear_error();
        std::size_t written = 0;
        const int result = SSL_write_ex(m_ssl.get(), data.data(), data.size(), &written);
        if (result == 1) {
            data.remove_prefix(written);
            continue;
        }
        const Outcome outcome = Check(result, "send");
        if (outcome == Outcome::Closed)
            throw CInternetException(ERROR_INTERNET_CONNECTION_RESET, "The server closed the encrypted connection");
        WaitForData(deadline);
    }
}

std::optional<std::size_t> TlsStream::TryReceive(char* buffer, std::size_t capacity)
{
    ERR_clear_error();
    std::size_t got = 0;
    const int result = SSL_read_ex(m_ssl.get(), buffer, capacity, &got);
    if (result == 1)
        return got;
    const Outcome outcome = Check(result, "receive");
    if (outcome == Outcome::Closed)
        return 0;
    return std::nullopt;
}

std::size_t TlsStream::ReceiveSome(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (std::optional<std::size_t> got = TryReceive(buffer, capacity))
            return *got;
        WaitForData(deadline);
    }
}

std::size_t TlsStream::BytesAvailable() const
{
    const int pending = SSL_pending(m_ssl.get());
    return pending > 0 ? static_cast<std::size_t>(pending) : 0;
}

void TlsStream::EndOfData(std::chrono::milliseconds timeout) noexcept
{
    m_sendTimeout = timeout;
    ERR_clear_error();
    SSL_shutdown(m_ssl.get());
    const auto deadline = Clock::now() + timeout;
    try {
        char unread[4096];
        for (;;) {
            ERR_clear_error();
            std::size_t got = 0;
            const int result = SSL_read_ex(m_ssl.get(), unread, sizeof unread, &got);
            if (result == 1)
                continue;
            if (Check(result, "close") != Outcome::WantRead)
                break;
            WaitForData(deadline);
        }
    } catch (const CInternetException&) {
        // The peer closed without its alert or took too long: the final reply will tell.
    }
    m_innerError = nullptr;
    ERR_clear_error();
}

bool TlsStream::ReadableNow()
{
    if (SSL_pending(m_ssl.get()) > 0)
        return true;
    if (!m_inner->ReadableNow())
        return false;
    // Peeking takes in what is not data (session tickets, key updates) and leaves the data.
    ERR_clear_error();
    char byte = 0;
    std::size_t got = 0;
    const int result = SSL_peek_ex(m_ssl.get(), &byte, 1, &got);
    if (result == 1)
        return true;
    const int error = SSL_get_error(m_ssl.get(), result);
    m_innerError = nullptr;
    ERR_clear_error();
    // Anything but "nothing yet" (the end, an error) is for the next read to report.
    return error != SSL_ERROR_WANT_READ;
}

TlsSession TlsStream::Session() const
{
    return TlsSession(SSL_get1_session(m_ssl.get()));
}

bool TlsStream::SessionReused() const
{
    return SSL_session_reused(m_ssl.get()) == 1;
}

bool TlsStream::Verified() const
{
    return SSL_get0_peer_certificate(m_ssl.get()) != nullptr && SSL_get_verify_result(m_ssl.get()) == X509_V_OK;
}

ServerCertificate TlsStream::PeerCertificate() const
{
    ServerCertificate info;
    info.host = m_host;
    const X509* certificate = SSL_get0_peer_certificate(m_ssl.get());
    if (!certificate) {
        info.problem = "the server sent no certificate";
        return info;
    }
    info.subject = NameText(X509_get_subject_name(certificate));
    info.issuer = NameText(X509_get_issuer_name(certificate));
    info.validFrom = TimeText(X509_get0_notBefore(certificate));
    info.validUntil = TimeText(X509_get0_notAfter(certificate));
    info.sha256 = Fingerprint(certificate);
    const long verdict = SSL_get_verify_result(m_ssl.get());
    if (verdict != X509_V_OK)
        info.problem = X509_verify_cert_error_string(verdict);
    return info;
}

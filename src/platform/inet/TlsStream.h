#pragma once
// TLS (1.2 or later, OpenSSL) over another ByteStream, as the client side: the control
// connection after AUTH TLS and every protected data connection. Every wait, the handshake
// included, is bounded by the caller's timeout.

#include "platform/inet/ByteStream.h"
#include "platform/inet/ServerCertificate.h"

#include <openssl/ssl.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

struct SslContextFree {
    void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};
struct SslFree {
    void operator()(SSL* ssl) const { SSL_free(ssl); }
};
struct SslSessionFree {
    void operator()(SSL_SESSION* session) const { SSL_SESSION_free(session); }
};
using TlsSession = std::unique_ptr<SSL_SESSION, SslSessionFree>;

// The settings shared by the control and data connections of one FTP connection.
class TlsContext {
public:
    // TLS 1.2 at least, the system's trust store. Throws CInternetException.
    TlsContext();
    SSL_CTX* Get() const { return m_context.get(); }

private:
    std::unique_ptr<SSL_CTX, SslContextFree> m_context;
};

class TlsStream : public ByteStream {
public:
    // Runs the client handshake over `inner`. `host` is checked against the certificate (a
    // name, or an address written as one) and named in SNI; `resume` is the session of the
    // control connection, which data connections must resume. Throws CInternetException
    // ERROR_INTERNET_SECURITY_CHANNEL_ERROR or ERROR_INTERNET_TIMEOUT.
    TlsStream(std::unique_ptr<ByteStream> inner, const TlsContext& context, const std::string& host,
              SSL_SESSION* resume, std::chrono::milliseconds timeout);
    // Sends the closing alert (the peer reads it as the end of the data), without waiting
    // for the peer's.
    ~TlsStream() override;
    TlsStream(const TlsStream&) = delete;
    TlsStream& operator=(const TlsStream&) = delete;

    void SendAll(std::string_view data, std::chrono::milliseconds timeout) override;
    std::size_t ReceiveSome(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override;
    std::optional<std::size_t> TryReceive(char* buffer, std::size_t capacity) override;
    std::size_t BytesAvailable() const override;
    int PollHandle() const override { return m_inner->PollHandle(); }
    bool ReadableNow() override;
    void EndOfData(std::chrono::milliseconds timeout) noexcept override;

    // The session as it stands now (TLS 1.3 tickets arrive after the handshake).
    TlsSession Session() const;
    bool SessionReused() const;
    // The server's certificate, and whether the trust store verified it for the host.
    ServerCertificate PeerCertificate() const;
    bool Verified() const;

private:
    friend struct TlsStreamBio;
    enum class Outcome { Done, WantRead, Closed };
    // Interprets the result of one OpenSSL call; throws for errors.
    Outcome Check(int result, const char* what);
    void WaitForData(std::chrono::steady_clock::time_point deadline);

    std::unique_ptr<ByteStream> m_inner;
    std::unique_ptr<SSL, SslFree> m_ssl;
    std::string m_host;
    std::chrono::milliseconds m_sendTimeout;
    std::exception_ptr m_innerError;   // thrown by the inner stream inside an OpenSSL call
};

// Data connections: passive (EPSV, then PASV) or active (EPRT, then PORT), and the start of
// each transfer.

#include "platform/inet/FtpClient.h"

#include "platform/inet/FtpTransfer.h"
#include "platform/inet/PassiveReply.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

constexpr int kEpsvOk = 229;
constexpr int kPasvOk = 227;
constexpr int kSizeOk = 213;
constexpr int kRestartAccepted = 350;

std::optional<std::uint64_t> ParseSize(std::string_view text)
{
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr == text.data())
        return std::nullopt;
    return value;
}

// "150 Opening BINARY mode data connection for f (1234 bytes)." as vsftpd and others say it.
std::optional<std::uint64_t> SizeFromOpeningReply(const FtpReply& reply)
{
    const std::string text = reply.Text();
    const std::size_t bytes = text.rfind(" bytes)");
    if (bytes == std::string::npos)
        return std::nullopt;
    const std::size_t open = text.rfind('(', bytes);
    if (open == std::string::npos)
        return std::nullopt;
    return ParseSize(std::string_view(text).substr(open + 1, bytes - open - 1));
}

}  // namespace

std::unique_ptr<FtpTransfer> FtpClient::OpenFile(const std::string& path, TransferDirection direction, bool ascii)
{
    std::unique_ptr<FtpTransfer> transfer;
    Request([&] {
        PrepareFor(path);
        EnsureType(ascii ? 'A' : 'I');
        std::optional<std::uint64_t> expected;
        // The size lets a download that ends early be told from a complete one even when the
        // server's final reply is wrongly positive. ASCII sizes differ on the two sides.
        if (direction == TransferDirection::Download && !ascii)
            expected = RemoteSize(path);
        const bool upload = direction == TransferDirection::Upload;
        transfer = StartTransfer(upload ? "STOR" : "RETR", path, upload, direction, ascii, expected);
        // Offsets of an ASCII file differ on the two sides: only a binary one can continue.
        if (!ascii)
            transfer->AllowResume(path);
    });
    return transfer;
}

std::optional<std::uint64_t> FtpClient::RemoteSize(const std::string& path)
{
    if (!m_features.Has("SIZE"))
        return std::nullopt;
    const auto now = std::chrono::steady_clock::now();
    if (m_lastSize && m_lastSize->command == m_commandsSent && m_lastSize->path == path
        && now - m_lastSize->asked < kSizeAnswerLife)
        return m_lastSize->size;
    FtpReply reply = Command("SIZE", path);
    std::optional<std::uint64_t> size;
    if (reply.code == kSizeOk)
        size = ParseSize(reply.FirstLineText());
    m_lastSize = SizeAnswer{path, size, m_commandsSent, now};
    return size;
}

std::unique_ptr<FtpTransfer> FtpClient::StartTransfer(std::string_view verb, std::string_view argument, bool hasEffect,
                                                      TransferDirection direction, bool ascii,
                                                      std::optional<std::uint64_t> expectedSize)
{
    DataChannel channel = OpenDataChannel(verb, argument, hasEffect, std::nullopt);
    if (!expectedSize && direction == TransferDirection::Download && !ascii)
        expectedSize = SizeFromOpeningReply(channel.opening);
    return std::make_unique<FtpTransfer>(*this, std::move(channel.stream), direction, ascii, expectedSize,
                                         std::move(channel.finalReply));
}

DataChannel FtpClient::OpenDataChannel(std::string_view verb, std::string_view argument, bool hasEffect,
                                       std::optional<std::uint64_t> restartAt)
{
    std::unique_ptr<ByteStream> data;
    std::unique_ptr<TcpListener> listener;
    if (m_passive) {
        // Never active mode in place of a failed passive one: only the caller may ask for it,
        // since it shows the server our own address.
        const std::uint16_t port = RequestPassivePort();
        // The port from the reply, the host of the control connection: never the host a
        // server names, which could be anyone's.
        data = TcpStream::Connect(m_control->PeerAddress().WithPort(port), SocketRole::Data, Timeout());
    } else {
        listener = OfferActivePort();
    }

    // REST goes right before the transfer command: a server may forget it over anything else.
    if (restartAt) {
        FtpReply rest = Command("REST", std::to_string(*restartAt));
        if (rest.code != kRestartAccepted)
            throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR,
                                     "The server cannot continue a file where it stopped (REST answered: "
                                         + Scrub(rest.Text()) + ")");
    }
    FtpReply reply = Command(verb, argument, hasEffect);
    if (!reply.IsPreliminary() && !reply.IsSuccess())
        throw TransferRefused(reply.code, Scrub(reply.Text()));
    std::optional<FtpReply> finalReply;
    if (reply.IsSuccess())
        finalReply = reply;   // the 1xx was left out, or the server was that quick

    if (!data) {
        try {
            data = listener->Accept(m_control->PeerAddress(), Timeout());
        } catch (...) {
            DropControl();   // the server's reply to the failed transfer is still to come
            throw;
        }
    }
    if (m_dataProtected)
        data = SecureData(std::move(data), !finalReply);
    return {std::move(data), std::move(reply), std::move(finalReply)};
}

std::uint16_t FtpClient::RequestPassivePort()
{
    // The command that worked last goes first; a refusal or a reply without a usable port (a
    // malformed one, port 0) is answered by trying the other. PASV can only name IPv4 ports.
    const bool ipv6 = m_control->PeerAddress().IsIPv6();
    std::vector<PassiveCommand> order = {PassiveCommand::Epsv};
    if (!ipv6)
        order.insert(m_passiveCommand == PassiveCommand::Pasv ? order.begin() : order.end(), PassiveCommand::Pasv);
    std::string lastReply;
    for (PassiveCommand command : order) {
        const bool epsv = command == PassiveCommand::Epsv;
        FtpReply reply = Command(epsv ? "EPSV" : "PASV");
        if (reply.code == (epsv ? kEpsvOk : kPasvOk)) {
            const std::string text = reply.Text();
            if (std::optional<std::uint16_t> port = epsv ? ParseEpsvPort(text) : ParsePasvPort(text)) {
                m_passiveCommand = command;
                return *port;
            }
        }
        lastReply = reply.Text();
    }
    throw CInternetException(ERROR_FTP_NO_PASSIVE_MODE, Scrub(lastReply));
}

std::unique_ptr<TcpListener> FtpClient::OfferActivePort()
{
    // The server connects to the address it already reaches us on.
    auto listener = std::make_unique<TcpListener>(m_control->LocalAddress());
    const SocketAddress local = listener->Address();
    const std::string port = std::to_string(local.Port());
    if (m_activeCommand != ActiveCommand::Port) {
        const std::string argument = std::string("|") + (local.IsIPv6() ? "2" : "1") + "|" + local.Host() + "|" + port + "|";
        FtpReply reply = Command("EPRT", argument);
        if (reply.IsSuccess()) {
            m_activeCommand = ActiveCommand::Eprt;
            return listener;
        }
        if (local.IsIPv6() || m_activeCommand == ActiveCommand::Eprt)
            Fail(reply);
    }
    std::string host = local.Host();
    std::replace(host.begin(), host.end(), '.', ',');
    const std::string argument = host + "," + std::to_string(local.Port() / 256) + "," + std::to_string(local.Port() % 256);
    RequireSuccess(Command("PORT", argument));
    m_activeCommand = ActiveCommand::Port;
    return listener;
}

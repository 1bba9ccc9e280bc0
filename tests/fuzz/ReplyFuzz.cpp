// Arbitrary bytes from a server: the reply reader, the reply parsers and the listing builder
// must never crash, read out of bounds or loop; they return results or throw
// CInternetException. A listing gives the same entries however its bytes were cut.

#include "platform/inet/ByteStream.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/ListingBuilder.h"
#include "platform/inet/ListingParser.h"
#include "platform/inet/PassiveReply.h"
#include "platform/inet/PwdReply.h"
#include "platform/inet/ReplyReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

// Hands out the input in pieces whose sizes come from the input itself, so that line ends
// and multi-line markers land on every possible boundary.
class MemoryStream : public ByteStream {
public:
    MemoryStream(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    void SendAll(std::string_view, std::chrono::milliseconds) override {}
    std::size_t ReceiveSome(char* buffer, std::size_t capacity, std::chrono::milliseconds) override
    {
        if (m_pos >= m_size)
            return 0;
        std::size_t piece = 1 + (m_data[m_pos] % 97);
        piece = std::min({piece, capacity, m_size - m_pos});
        std::memcpy(buffer, m_data + m_pos, piece);
        m_pos += piece;
        return piece;
    }
    std::optional<std::size_t> TryReceive(char* buffer, std::size_t capacity) override
    {
        return ReceiveSome(buffer, capacity, std::chrono::milliseconds(0));
    }
    std::size_t BytesAvailable() const override { return m_size - m_pos; }
    int PollHandle() const override { return -1; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryStream stream(data, size);
    ReplyReader reader(stream);
    try {
        while (std::optional<FtpReply> reply = reader.Read(std::chrono::milliseconds(1000))) {
            const std::string text = reply->Text();
            (void)ParsePasvPort(text);
            (void)ParseEpsvPort(text);
            (void)ParsePwdReply(reply->FirstLineText());
        }
    } catch (const CInternetException&) {
    }
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    constexpr std::int64_t kNow = 1796699789;
    const std::vector<ListingEntry> whole = ParseListing(raw, ListingFormat::Auto, kNow);
    ListingBuilder builder(ListingFormat::Auto, kNow);
    for (std::size_t pos = 0; pos < raw.size();) {
        const std::size_t piece = std::min<std::size_t>(1 + static_cast<std::uint8_t>(raw[pos]) % 61, raw.size() - pos);
        builder.Add(raw.substr(pos, piece));
        pos += piece;
    }
    const std::vector<ListingEntry> cut = builder.Finish();
    if (cut.size() != whole.size())
        std::abort();
    for (std::size_t i = 0; i < cut.size(); ++i)
        if (cut[i].name != whole[i].name || cut[i].size != whole[i].size)
            std::abort();
    (void)ParsePasvPort(raw);
    (void)ParseEpsvPort(raw);
    (void)ParsePwdReply(raw);
    return 0;
}

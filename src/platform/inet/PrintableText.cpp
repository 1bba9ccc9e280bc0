#include "platform/inet/PrintableText.h"


namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstPrintable = 0x20;
// C1 controls (U+0080 to U+009F) are as unreadable as C0 ones.
constexpr char32_t kFirstC1Control = 0x80;
constexpr char32_t kLastC1Control = 0x9F;

void AppendEscaped(std::string& out, unsigned char byte)
{
    out += "\\x";
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

// The length of the well-formed UTF-8 sequence at the start of `text` (RFC 3629: no overlong
// forms, no surrogates, nothing above U+10FFFF) and its code point; 0 when there is none.
std::size_t SequenceAt(std::string_view text, char32_t& codePoint)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < lowest || surrogate || codePoint > 0x10FFFF)
        return 0;
    return length;
}

}  // namespace

std::string PrintableText(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    std::size_t at = 0;
    while (at < name.size()) {
        char32_t codePoint = 0;
        const std::size_t length = SequenceAt(name.substr(at), codePoint);
        const bool control = codePoint < kFirstPrintable || codePoint == kDelete ||
                             (codePoint >= kFirstC1Control && codePoint <= kLastC1Control);
        if (length == 0 || control) {
            // A control character's bytes are shown one by one, like stray bytes.
            const std::size_t bytes = length == 0 ? 1 : length;
            for (std::size_t i = 0; i < bytes; ++i)
                AppendEscaped(out, static_cast<unsigned char>(name[at + i]));
            at += bytes;
            continue;
        }
        out.append(name.substr(at, length));
        at += length;
    }
    return out;
}

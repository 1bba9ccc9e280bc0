#include "probe/PrintableText.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence at `pos` that encodes a printable character, or 0.
std::size_t PrintableSequenceAt(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead >= 0x20 && lead < 0x7f)
        return 1;
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        code = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        code = lead & 0x0f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (byte(pos + i) & 0x3f);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool overlong = code < smallest[length];
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    const bool c1Control = code >= 0x80 && code <= 0x9f;
    if (overlong || surrogate || c1Control || code > 0x10ffff)
        return 0;
    return length;
}

}  // namespace

std::string PrintableText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        if (const std::size_t length = PrintableSequenceAt(text, pos)) {
            out.append(text.substr(pos, length));
            pos += length;
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(text[pos]));
        out += escaped;
        ++pos;
    }
    return out;
}

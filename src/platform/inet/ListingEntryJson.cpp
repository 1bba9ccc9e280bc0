#include "platform/inet/ListingEntryJson.h"

#include "platform/inet/CivilTime.h"

#include <cstdio>
#include <string_view>

namespace {

// Length of the well-formed UTF-8 sequence at text[0], or 0 when it is not one (overlong
// forms, surrogates and code points above U+10FFFF are not well-formed).
std::size_t Utf8SequenceLength(std::string_view text)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto continuation = [&](std::size_t i) { return i < text.size() && (at(i) & 0xC0) == 0x80; };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2))
            return 0;
        if ((lead == 0xE0 && at(1) < 0xA0) || (lead == 0xED && at(1) > 0x9F))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3))
            return 0;
        if ((lead == 0xF0 && at(1) < 0x90) || (lead == 0xF4 && at(1) > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

void AppendEscapedByte(std::string& out, unsigned char byte)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", byte);
    out += buffer;
}

// Names are bytes as the server sent them, not always UTF-8. Valid UTF-8 passes through;
// control bytes and every byte that is not part of a valid sequence become \u00XX of the
// byte's value. That keeps the output valid JSON for any name, at the cost that a reader sees
// such a byte as the Latin-1 character of that value.
void AppendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text[0]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
            text.remove_prefix(1);
            continue;
        }
        if (byte < 0x20 || byte == 0x7F) {
            AppendEscapedByte(out, byte);
            text.remove_prefix(1);
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            AppendEscapedByte(out, byte);
            text.remove_prefix(1);
            continue;
        }
        out.append(text.substr(0, length));
        text.remove_prefix(length);
    }
    out += '"';
}

void AppendIsoTime(std::string& out, std::int64_t seconds)
{
    const CivilDateTime t = CivilFromUtc(seconds);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "\"%04lld-%02u-%02uT%02u:%02u:%02uZ\"",
                  static_cast<long long>(t.year), t.month, t.day, t.hour, t.minute, t.second);
    out += buffer;
}

}  // namespace

std::string ListingEntryToJson(const ListingEntry& entry)
{
    std::string out = "{\"name\":";
    AppendJsonString(out, entry.name);
    out += ",\"size\":";
    out += entry.sizeKnown ? std::to_string(entry.size) : "null";
    out += ",\"dir\":";
    out += entry.isDirectory ? "true" : "false";
    out += ",\"link\":";
    out += entry.isLink ? "true" : "false";
    if (entry.isLink) {
        out += ",\"target\":";
        AppendJsonString(out, entry.linkTarget);
    }
    out += ",\"time\":";
    if (entry.timeKnown)
        AppendIsoTime(out, entry.modified);
    else
        out += "null";
    out += '}';
    return out;
}

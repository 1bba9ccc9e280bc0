#include "platform/registry/RegistryFile.h"

#include "platform/AsciiCase.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryDword.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRootName = "HKEY_CURRENT_USER";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Hex data lines are wrapped before this column, as regedit does.
constexpr std::size_t kWrapColumn = 78;
constexpr std::string_view kContinuationIndent = "  ";
constexpr std::size_t kMaxTypeDigits = 8;
constexpr std::size_t kMaxDwordDigits = 8;

// --- writing ---------------------------------------------------------------------------------

// The formatter writes through this, so that measuring a tree (before it is allowed to grow)
// and writing it can never disagree by a byte.
class TextSink {
public:
    explicit TextSink(std::string* out) : m_out(out) {}

    void Append(std::string_view text)
    {
        m_size += text.size();
        if (m_out)
            m_out->append(text);
    }
    std::size_t Size() const { return m_size; }

private:
    std::string* m_out;
    std::size_t m_size = 0;
};

void AppendQuoted(TextSink& out, std::string_view text)
{
    out.Append("\"");
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"' || text[i] == '\\') {
            out.Append(text.substr(start, i - start));
            out.Append("\\");
            start = i;
        }
    }
    out.Append(text.substr(start));
    out.Append("\"");
}

// A REG_SZ written as "text" reads back as the text plus one NUL, so only data of exactly that
// shape, without control characters that would break the line, may use the string form.
bool FitsStringForm(const std::vector<std::uint8_t>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] < 0x20)
            return false;
    }
    return true;
}

// `lineStart` is what the first line holds before the bytes ("name"=hex:).
void AppendHex(TextSink& out, std::size_t lineStart, const std::vector<std::uint8_t>& data)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::size_t column = lineStart;
    bool lineHasBytes = false;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const bool last = i + 1 == data.size();
        // Room for the piece and the continuation backslash.
        if (lineHasBytes && column + 3 + 1 > kWrapColumn) {
            out.Append("\\\n");
            out.Append(kContinuationIndent);
            column = kContinuationIndent.size();
        }
        const char piece[3] = {kDigits[data[i] >> 4], kDigits[data[i] & 0xF], ','};
        out.Append(std::string_view(piece, last ? 2 : 3));
        column += last ? 2 : 3;
        lineHasBytes = true;
    }
    out.Append("\n");
}

void AppendValue(TextSink& out, const RegistryValue& value)
{
    const std::size_t before = out.Size();
    if (value.name.empty())
        out.Append("@");
    else
        AppendQuoted(out, value.name);
    out.Append("=");
    if (value.type == REG_SZ && FitsStringForm(value.data)) {
        AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
        out.Append("\n");
        return;
    }
    if (value.type == REG_DWORD && value.data.size() == kDwordSize) {
        const std::uint32_t number = UnpackDword(value.data.data());
        char text[9];
        std::snprintf(text, sizeof text, "%08x", number);
        out.Append("dword:");
        out.Append(text);
        out.Append("\n");
        return;
    }
    if (value.type == REG_BINARY) {
        out.Append("hex:");
    } else {
        char text[24];
        std::snprintf(text, sizeof text, "hex(%x):", value.type);
        out.Append(text);
    }
    AppendHex(out, out.Size() - before, value.data);
}

// Every key in creation order, parents first, each with its full path. A walk with a stack of
// its own rather than recursion: the depth of a tree is bounded, but the stack never decides.
void AppendTree(TextSink& out, const RegistryNode& root)
{
    struct Level {
        const RegistryNode* key;
        std::size_t nextSubkey;
        std::size_t pathLength;
    };
    std::string path(kRootName);
    std::vector<Level> stack{{&root, 0, path.size()}};
    // The root gets a section only when it holds values; every other key gets one, even when
    // empty, so that created keys survive a restart.
    auto appendSection = [&](const RegistryNode& key) {
        out.Append("[");
        out.Append(path);
        out.Append("]\n");
        for (const RegistryValue& value : key.values)
            AppendValue(out, value);
        out.Append("\n");
    };
    if (!root.values.empty())
        appendSection(root);
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.nextSubkey == level.key->subkeys.size()) {
            stack.pop_back();
            continue;
        }
        const RegistryNode& subkey = *level.key->subkeys[level.nextSubkey++];
        path.resize(level.pathLength);
        path += '\\';
        path += subkey.name;
        appendSection(subkey);
        stack.push_back({&subkey, 0, path.size()});
    }
}

// --- reading ---------------------------------------------------------------------------------

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view s, std::size_t maxDigits)
{
    if (s.empty() || s.size() > maxDigits)
        return std::nullopt;
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), number, 16);
    if (error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return number;
}

// Reads a quoted text at the start of `s`, leaving `s` after the closing quote.
std::optional<std::string> ParseQuoted(std::string_view& s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return text;
        }
        if (c == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"'))
                return std::nullopt;
            c = s[++i];
        }
        text += c;
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view s)
{
    std::vector<std::uint8_t> bytes;
    s = TrimRight(TrimLeft(s));
    if (s.empty())
        return bytes;
    while (true) {
        std::size_t comma = s.find(',');
        std::string_view item = TrimRight(TrimLeft(s.substr(0, comma)));
        std::optional<std::uint32_t> byte = ParseHexNumber(item, 2);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (comma == std::string_view::npos)
            return bytes;
        s.remove_prefix(comma + 1);
    }
}

class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}

    bool Next(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// The key a section header names, created along the way; nullptr for a malformed header or
// a root other than HKEY_CURRENT_USER.
RegistryNode* OpenSection(std::string_view line, RegistryNode& root)
{
    line = TrimRight(line);
    if (line.size() < 2 || line.back() != ']')
        return nullptr;
    std::string_view path = line.substr(1, line.size() - 2);
    std::string_view rootPart = path.substr(0, path.find('\\'));
    if (!EqualsNoCase(rootPart, kRootName))
        return nullptr;
    // A file with keys the store could not have made is not one of ours.
    const std::string_view subkeyPath = path.substr(rootPart.size());
    if (CountKeyPathParts(subkeyPath) > kMaxRegistryKeyDepth)
        return nullptr;
    RegistryNode* key = &root;
    bool created = false;
    for (const std::string& part : SplitKeyPath(subkeyPath)) {
        if (part.size() > kMaxRegistryKeyNameLength)
            return nullptr;
        key = &key->ObtainSubkey(part, created);
    }
    return key;
}

bool ParseValueLine(std::string_view line, LineReader& reader, RegistryNode& key)
{
    std::string name;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else {
        std::optional<std::string> quoted = ParseQuoted(line);
        if (!quoted || quoted->size() > kMaxRegistryValueNameLength)
            return false;
        name = std::move(*quoted);
    }
    line = TrimLeft(line);
    if (line.empty() || line.front() != '=')
        return false;
    std::string_view data = TrimRight(TrimLeft(line.substr(1)));

    if (!data.empty() && data.front() == '"') {
        std::optional<std::string> text = ParseQuoted(data);
        if (!text || !TrimLeft(data).empty())
            return false;
        std::vector<std::uint8_t> bytes(text->begin(), text->end());
        bytes.push_back(0);
        key.SetValue(name, REG_SZ, std::move(bytes));
        return true;
    }
    if (StartsWithNoCase(data, "dword:")) {
        std::optional<std::uint32_t> number = ParseHexNumber(data.substr(6), kMaxDwordDigits);
        if (!number)
            return false;
        const auto bytes = PackDword(*number);
        key.SetValue(name, REG_DWORD, {bytes.begin(), bytes.end()});
        return true;
    }
    if (!StartsWithNoCase(data, "hex"))
        return false;
    data.remove_prefix(3);
    std::uint32_t type = REG_BINARY;
    if (!data.empty() && data.front() == '(') {
        std::size_t close = data.find(')');
        if (close == std::string_view::npos)
            return false;
        std::optional<std::uint32_t> number = ParseHexNumber(data.substr(1, close - 1), kMaxTypeDigits);
        if (!number)
            return false;
        type = *number;
        data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':')
        return false;
    data.remove_prefix(1);

    std::string joined(data);
    while (!joined.empty() && joined.back() == '\\') {
        joined.pop_back();
        std::string_view next;
        if (!reader.Next(next))
            return false;   // a continuation promised but the file ends: truncated
        joined += TrimRight(TrimLeft(next));
    }
    std::optional<std::vector<std::uint8_t>> bytes = ParseHexBytes(joined);
    if (!bytes)
        return false;
    key.SetValue(name, type, std::move(*bytes));
    return true;
}

} // namespace

bool IsStorableName(std::string_view name)
{
    return name.find_first_of("\r\n") == std::string_view::npos;
}

std::string FormatRegistryFile(const RegistryNode& root)
{
    std::string text;
    text.reserve(FormattedSize(root));
    TextSink out(&text);
    out.Append(kHeader);
    out.Append("\n\n");
    AppendTree(out, root);
    return text;
}

std::size_t FormattedSize(const RegistryNode& root)
{
    TextSink out(nullptr);
    out.Append(kHeader);
    out.Append("\n\n");
    AppendTree(out, root);
    return out.Size();
}

std::size_t FormattedValueSize(const RegistryValue& value)
{
    TextSink out(nullptr);
    AppendValue(out, value);
    return out.Size();
}

std::size_t FormattedSectionSize(std::size_t subkeyPathLength)
{
    // "[HKEY_CURRENT_USER" + "\\path" + "]\n" and the blank line after the values.
    return 1 + kRootName.size() + subkeyPathLength + 2 + 1;
}

bool ParseRegistryFile(std::string_view text, RegistryNode& root)
{
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        text.remove_prefix(kUtf8Bom.size());
    LineReader reader(text);
    std::string_view line;
    if (!reader.Next(line) || TrimRight(line) != kHeader)
        return false;

    RegistryNode* section = nullptr;
    while (reader.Next(line)) {
        line = TrimLeft(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            section = OpenSection(line, root);
            if (!section)
                return false;
            continue;
        }
        if (!section || !ParseValueLine(line, reader, *section))
            return false;
    }
    return true;
}

#include "profiles/ProfileText.h"

#include "profiles/ProfileState.h"

#include <cstring>
#include <limits>

namespace {

constexpr char kSeparator = '\n';
constexpr std::int32_t kMaxArrangeBy = kArrangeByType;
constexpr std::int32_t kMaxConnectionType = ProfileState::kRemoteRemote;
constexpr std::int32_t kMaxTransferType = 1;
constexpr std::int16_t kDefaultPort = 21;

// A line feed inside a field would shift every field after it, and a NUL would end the
// stored text there; neither can be kept, so they are left out.
std::string Storable(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != kSeparator && c != '\0')
            out += c;
    }
    return out;
}

class FieldWriter {
public:
    void Text(const std::string& text) { Separate(); m_out += Storable(text); }
    void Number(std::int32_t number) { Separate(); m_out += std::to_string(number); }
    std::string Take() { return std::move(m_out); }

private:
    void Separate()
    {
        if (m_any)
            m_out += kSeparator;
        m_any = true;
    }

    std::string m_out;
    bool m_any = false;
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::int32_t InRange(std::int32_t value, std::int32_t highest)
{
    return value >= 0 && value <= highest ? value : 0;
}

} // namespace

FieldReader::FieldReader(const void* data, std::size_t length)
{
    const char* text = static_cast<const char*>(data);
    if (!text)
        length = 0;
    const void* nul = length ? std::memchr(text, '\0', length) : nullptr;
    m_text = std::string_view(text, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : length);
}

bool FieldReader::NextField(std::string& field)
{
    field.clear();
    if (m_done)
        return false;
    std::size_t end = m_text.find(kSeparator, m_pos);
    if (end == std::string_view::npos) {
        field = m_text.substr(m_pos);
        m_done = true;
    } else {
        field = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
    }
    return true;
}

std::string FieldReader::NextText()
{
    std::string field;
    NextField(field);
    return field;
}

std::int32_t FieldReader::NextNumber()
{
    std::string field;
    return NextField(field) ? ParseStoredNumber(field) : 0;
}

std::int32_t ParseStoredNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude < kLimit)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::string FormatProfileText(const HostProfile& profile)
{
    FieldWriter out;
    out.Text(profile.name);
    out.Text(profile.host);
    out.Text(profile.user);
    out.Text(profile.savePassword ? profile.password : std::string());
    out.Number(profile.savePassword);
    out.Number(profile.anonymous);
    out.Number(profile.port);
    out.Number(profile.useDefaultPort);
    out.Number(profile.passive);
    out.Text(profile.initialDir);
    return out.Take();
}

HostProfile ParseProfileText(const void* data, std::size_t length, std::uint32_t version)
{
    FieldReader in(data, length);
    HostProfile profile;
    // Its security, when chosen, is stored apart and applied by the caller.
    profile.security = ConnectionSecurity::TlsIfAvailable;
    profile.name = in.NextText();
    profile.host = in.NextText();
    profile.user = in.NextText();
    profile.password = in.NextText();
    profile.savePassword = in.NextNumber();
    profile.anonymous = in.NextNumber();
    profile.initialDir.clear();
    if (version >= kVersionWithConnectionFields) {
        // The connection uses the same 16 bits as an unsigned port: "-1" is port 65535.
        profile.port = static_cast<std::int16_t>(static_cast<std::uint16_t>(in.NextNumber()));
        profile.useDefaultPort = in.NextNumber();
        profile.passive = in.NextNumber();
        if (version >= kVersionWithInitialDir)
            profile.initialDir = in.NextText();
    } else {
        profile.port = kDefaultPort;
        profile.useDefaultPort = 1;
        profile.passive = 0;
    }
    return profile;
}

std::string FormatSettingText(const ProfileState& state)
{
    FieldWriter out;
    out.Text(state.lastProfileName[ProfileState::kUpperRegion]);
    out.Text(state.lastProfileName[ProfileState::kLowerRegion]);
    out.Text(state.email);
    out.Number(state.arrangeBy);
    out.Number(state.connectionType);
    out.Number(state.transferType);
    return out.Take();
}

void ParseSettingText(ProfileState& state, const void* data, std::size_t length, std::uint32_t version)
{
    FieldReader in(data, length);
    state.lastProfileName[ProfileState::kUpperRegion] = in.NextText();
    state.lastProfileName[ProfileState::kLowerRegion] = in.NextText();
    state.email = in.NextText();
    // The rest of the program indexes tables by these; a value from elsewhere must not reach it.
    state.arrangeBy = InRange(in.NextNumber(), kMaxArrangeBy);
    state.connectionType = InRange(in.NextNumber(), kMaxConnectionType);
    if (version >= kVersionWithTransferType)
        state.transferType = InRange(in.NextNumber(), kMaxTransferType);
}

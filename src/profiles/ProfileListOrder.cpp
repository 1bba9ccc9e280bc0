#include "profiles/ProfileListOrder.h"

#include <algorithm>

namespace {
// The registry store folds ASCII letters only; the list follows the same rule so that what
// the list treats as one name is what the store treats as one name.
char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool CharsBefore(char a, char b)
{
    return static_cast<unsigned char>(FoldCase(a)) < static_cast<unsigned char>(FoldCase(b));
}
} // namespace

ProfileList CopyProfiles(const ProfileList& profiles)
{
    ProfileList copy;
    for (const auto& [key, record] : profiles) {
        if (record)
            copy.emplace(key, std::make_unique<HostProfile>(*record));
    }
    return copy;
}

bool ListsBefore(std::string_view a, std::string_view b)
{
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), CharsBefore))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), CharsBefore))
        return false;
    return a < b;
}

std::size_t SortedInsertPosition(const std::vector<std::string>& entries, std::string_view name)
{
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [name](const std::string& entry) { return ListsBefore(name, entry); });
    return static_cast<std::size_t>(it - entries.begin());
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

int FindPrefixIgnoringCase(const std::vector<std::string>& entries, std::string_view prefix)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        if (entry.size() >= prefix.size() && SameNameIgnoringCase(std::string_view(entry).substr(0, prefix.size()), prefix))
            return static_cast<int>(i);
    }
    return -1;
}

std::string FindClashingProfile(const ProfileList& profiles, std::string_view name, std::string_view ownKey)
{
    for (const auto& [key, record] : profiles) {
        if (key != ownKey && SameNameIgnoringCase(key, name))
            return key;
    }
    return {};
}

#include "profiles/ProfileListOrder.h"

// The registry store folds ASCII letters only; the list follows the same rule, so that what
// the list treats as one name is what the store treats as one name.
#include "platform/AsciiCase.h"

#include <algorithm>

ProfileList CopyProfiles(const ProfileList& profiles)
{
    ProfileList copy;
    for (const auto& [key, record] : profiles) {
        if (record)
            copy.emplace(key, std::make_unique<HostProfile>(*record));
    }
    return copy;
}

std::size_t SortedInsertPosition(const std::vector<std::string>& entries, std::string_view name)
{
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [name](const std::string& entry) { return CompareNoCaseThenBytes(name, entry) < 0; });
    return static_cast<std::size_t>(it - entries.begin());
}

int FindPrefixIgnoringCase(const std::vector<std::string>& entries, std::string_view prefix)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (StartsWithNoCase(entries[i], prefix))
            return static_cast<int>(i);
    }
    return -1;
}

std::string FindClashingProfile(const ProfileList& profiles, std::string_view name, std::string_view ownKey)
{
    for (const auto& [key, record] : profiles) {
        if (key != ownKey && EqualsNoCase(key, name))
            return key;
    }
    return {};
}

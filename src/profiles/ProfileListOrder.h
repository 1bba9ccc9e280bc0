#pragma once
// The rules the Connect dialog's list follows, kept apart from the window: its order, its
// search by prefix, and the copies it works on.

#include "profiles/HostProfile.h"

#include <string>
#include <string_view>
#include <vector>

// A new record for every entry, under the same key.
ProfileList CopyProfiles(const ProfileList& profiles);

// Where a new entry is sorted in (the list is in CompareNoCaseThenBytes order): before the first
// entry that lists after it.
std::size_t SortedInsertPosition(const std::vector<std::string>& entries, std::string_view name);

// The first entry, from the top, that begins with `prefix` without regard to case; -1 for none.
int FindPrefixIgnoringCase(const std::vector<std::string>& entries, std::string_view prefix);

// The key of a profile other than `ownKey` whose name the registry would take for `name`
// (names are compared there without regard to case); empty when there is none.
std::string FindClashingProfile(const ProfileList& profiles, std::string_view name, std::string_view ownKey);

#pragma once
// Reading and writing the profiles and settings of a ProfileState, and the registry paths they
// live under: HKEY_CURRENT_USER\Software\<companyName>\<productName>\<section>\.

#include "profiles/ProfileState.h"

#include <string>

inline constexpr char kProfileSection[] = "User Profiles";
inline constexpr char kSettingSection[] = "Setting";
inline constexpr char kSettingValueName[] = "Setting";
inline constexpr char kVersionValueName[] = "Version";

// One string of the program's version information, named by string-table entry `stringId`
// ("CompanyName"). False, and `text` unchanged, when it cannot be read.
bool GetVersionString(unsigned stringId, std::string& text);
// companyName and productName from the version information; fields that cannot be read keep
// their value.
void ReadVersionStrings(ProfileState& state);

// companyName\productName\section\ and, when not empty, subsection\.
void GetAppKeyPath(const ProfileState& state, std::string& out, const std::string& section,
                   const std::string& subsection);
// Software\ followed by GetAppKeyPath.
void GetRegistryPath(const ProfileState& state, std::string& out, const std::string& section,
                     const std::string& subsection);

// Fills the settings and the profile list from the registry, once at start; with no stored
// profile the default profile is listed (but not stored).
void LoadProfiles(ProfileState& state);
// Writes the profiles (when profileStore is marked modified) and always the settings; the keys
// end up holding exactly the current values. The file is written once, with every change of
// the save; values that hold what the file holds are not rewritten. ERROR_SUCCESS or the
// registry code of the failure (RegistryLastFailure says why); after a failure the file holds
// what it held, and the next save writes everything again.
LONG SaveProfiles(ProfileState& state);
// SaveProfiles for a save the user is owed (a dialog that changed something closed with OK,
// the exit): a failure is shown in a message that names the file and the reason.
bool SaveProfilesOrTell(ProfileState& state);

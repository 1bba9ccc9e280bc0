#pragma once
// Built-in values the program offers before the user has chosen any.

// Offered as the e-mail address (the anonymous password) until the user enters one.
inline constexpr char kDefaultEmail[] = "guest@example.com";

// The profile listed when no profile is stored: a public anonymous FTP site.
inline constexpr char kDefaultProfileName[] = "GNU FTP Archive";
inline constexpr char kDefaultProfileHost[] = "ftp.gnu.org";
inline constexpr char kAnonymousUser[] = "anonymous";

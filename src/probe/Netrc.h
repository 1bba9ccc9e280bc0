#pragma once
// The login file of FTP and curl users (~/.netrc): "machine HOST login USER password SECRET",
// "default" for any other host; "account" values and "macdef" macros are skipped. Tokens are separated
// by blanks or line ends; a token may be quoted ("a b", with \" and \\ inside).

#include <optional>
#include <string>
#include <string_view>

struct NetrcLogin {
    std::string login;      // empty when the entry names none
    std::string password;
    bool hasPassword = false;
};

// The entry for `host` (the first "machine" entry of that name whose login is `user`, or that
// has no login, when `user` is not empty), else the "default" entry; nullopt when none fits.
std::optional<NetrcLogin> FindNetrcLogin(std::string_view text, std::string_view host, std::string_view user);

// The file's text. Throws std::runtime_error when it cannot be read, or when others than its
// owner may read or write it (a password in it would be no secret).
std::string ReadNetrcFile(const std::string& path);
// ~/.netrc ($HOME, else the user's home from the password database).
std::string DefaultNetrcPath();

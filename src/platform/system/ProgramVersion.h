#pragma once
// The strings of the program's version information.

#include <string_view>

struct VersionString {
    std::string_view name;
    std::string_view value;
};

constexpr std::string_view kVersionLanguagePath = "\\StringFileInfo\\040904b0\\";

constexpr VersionString kProgramVersionStrings[] = {
    {"CompanyName", "Ferrix Software"},
    {"FileDescription", "Ferrix FTP"},
    {"FileVersion", "2.0.2"},
    {"InternalName", "ferrix-ftp"},
    {"LegalCopyright", "Copyright (C) 2026 Ferrix Software"},
    {"OriginalFilename", "ferrix-ftp.exe"},
    {"ProductName", "Ferrix FTP"},
    {"ProductVersion", "2.0.2"},
};

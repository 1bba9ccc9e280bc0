#pragma once
// Where the program's resource files (pictures, the help book) are: beside the installed
// program in <prefix>/share/ferrix-ftp, or, for a program run from its build tree, in the
// source tree's res/ folder. The two have the same layout.

#include <string>

// The full path of the resource file `relative` ("images/splash.png"), from the first folder
// that holds it; empty when none does.
std::string FindResourceFile(const std::string& relative);

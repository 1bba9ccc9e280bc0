#pragma once
// Where the store's file lives: $FERRIX_REGISTRY when set and not empty, otherwise
// $XDG_CONFIG_HOME/ferrix-ftp/registry.reg, with ~/.config when XDG_CONFIG_HOME is unset, empty
// or not absolute (the base directory rules ignore relative values).

#include <string>

std::string RegistryFilePath();

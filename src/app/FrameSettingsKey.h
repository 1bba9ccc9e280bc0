#pragma once
// Values of the main frame's own sections below the settings key (the control bars, the window
// layout). Each value is written only when it differs from what is stored: every write rewrites
// the registry file, and a plain exit should not pay for values that did not change.

#include "platform/registry/RegistryKeyHandle.h"

#include <cstdint>
#include <optional>
#include <string>

using FrameKey = RegistryKeyHandle;

// Software\<appKeyPath><section>, created when missing; null when the registry refuses.
FrameKey OpenFrameSection(const std::string& appKeyPath, const char* section);

std::optional<std::uint32_t> ReadFrameDword(HKEY key, const char* name);
std::optional<std::string> ReadFrameText(HKEY key, const char* name);
void WriteFrameDword(HKEY key, const char* name, std::uint32_t value);
void WriteFrameText(HKEY key, const char* name, const std::string& text);

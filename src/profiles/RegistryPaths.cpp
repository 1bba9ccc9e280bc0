#include "profiles/ProfileSettings.h"

namespace {

constexpr char kSoftwareKey[] = "Software";

} // namespace

void GetAppKeyPath(const ProfileState& state, std::string& out, const std::string& section,
                   const std::string& subsection)
{
    out = state.companyName + "\\" + state.productName + "\\" + section + "\\";
    if (!subsection.empty())
        out += subsection + "\\";
}

void GetRegistryPath(const ProfileState& state, std::string& out, const std::string& section,
                     const std::string& subsection)
{
    std::string appPath;
    GetAppKeyPath(state, appPath, section, subsection);
    out = std::string(kSoftwareKey) + "\\" + appPath;
}

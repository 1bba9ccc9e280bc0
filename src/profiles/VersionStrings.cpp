#include "profiles/ProfileSettings.h"

#include "platform/system/ModuleFile.h"
#include "platform/system/VersionInfo.h"
#include "res/StringTable.h"

#include <vector>

namespace {

// US English, Unicode code page.
constexpr char kStringFileInfoPath[] = "\\StringFileInfo\\040904b0\\";

} // namespace

bool GetVersionString(unsigned stringId, std::string& text)
{
    std::string fileName = GetModuleName() + ".exe";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0)
        return false;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoA(fileName.c_str(), handle, size, block.data()))
        return false;
    std::string query = kStringFileInfoPath + LoadString(stringId);
    void* value = nullptr;
    UINT length = 0;
    // A found value carries its NUL in its length; an empty length has no text to give.
    if (!VerQueryValueA(block.data(), query.c_str(), &value, &length) || length == 0)
        return false;
    text.assign(static_cast<const char*>(value), length - 1);
    return true;
}

void ReadVersionStrings(ProfileState& state)
{
    GetVersionString(IDS_COMPANY_NAME, state.companyName);
    GetVersionString(IDS_PRODUCT_NAME, state.productName);
}

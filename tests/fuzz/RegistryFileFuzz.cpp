// The registry file reader on arbitrary bytes: it never crashes, and whatever it accepts is
// written back as text that reads back to the same text (every value round-trips).

#include "platform/registry/RegistryFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RegistryNode root;
    if (!ParseRegistryFile(text, root))
        return 0;
    const std::string written = FormatRegistryFile(root);
    RegistryNode again;
    if (!ParseRegistryFile(written, again) || FormatRegistryFile(again) != written)
        std::abort();
    return 0;
}

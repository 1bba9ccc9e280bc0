// The registry store's write path driven by arbitrary bytes: keys created (deep ones too),
// values set and deleted, batches, restarts, and the file replaced under the store as another
// instance would. After every write the file reads back as a store file whose text is exactly
// the tree held in memory, and is never larger than the store reads.

#include "platform/registry/AtomicFile.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryBatch.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryStore.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path g_folder;

std::string FilePath()
{
    return (g_folder / "registry.reg").string();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    // Names from a few letters in both cases, so that names meet again without regard to case.
    std::string Name(bool withBackslashes)
    {
        static constexpr char kLetters[] = "aAbB\\ \"=[]";
        const std::size_t alphabet = withBackslashes ? sizeof kLetters - 1 : 4;
        std::string name(Byte() % 24, 'a');
        for (char& c : name)
            c = kLetters[Byte() % alphabet];
        return name;
    }

    std::vector<BYTE> Data()
    {
        std::size_t length = Byte();
        if (length > 200)
            length = (length - 200) * 1024;   // now and then a long value
        std::vector<BYTE> data(length);
        for (std::size_t i = 0; i < length; ++i)
            data[i] = i < 64 ? Byte() : static_cast<BYTE>(i);
        return data;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

std::string ReadFile()
{
    std::ifstream in(FilePath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What a restart would read is what memory holds.
void CheckFileAgreesWithMemory()
{
    if (!fs::exists(FilePath()))
        return;
    const std::string text = ReadFile();
    if (text.size() > kMaxStoreFileSize)
        std::abort();
    RegistryNode parsed("HKEY_CURRENT_USER");
    if (!ParseRegistryFile(text, parsed) || FormatRegistryFile(parsed) != text)
        std::abort();
    LONG error = ERROR_SUCCESS;
    const RegistryNode* root = RegistryStore::Instance().Resolve(HKEY_CURRENT_USER, error);
    if (!root)
        std::abort();
    const std::string held = FormatRegistryFile(*root);
    if (held != text || FormattedSize(*root) != held.size())
        std::abort();
}

// True when a key was created (and so written); an opened key joins `keys`.
bool CreateKey(HKEY base, const std::string& path, std::vector<HKEY>& keys)
{
    HKEY opened = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(base, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, &disposition)
        != ERROR_SUCCESS)
        return false;
    keys.push_back(opened);
    return disposition == REG_CREATED_NEW_KEY;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string folder = (base / "ferrix-registry-fuzz-XXXXXX").string();
    if (!::mkdtemp(folder.data()))
        std::abort();
    g_folder = folder;
    ::setenv("FERRIX_REGISTRY", FilePath().c_str(), 1);
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(g_folder, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const auto& entry : fs::directory_iterator(g_folder))
        fs::remove_all(entry.path());
    RegistryReload();

    Input input(data, size);
    std::vector<HKEY> keys = {HKEY_CURRENT_USER};
    std::vector<std::unique_ptr<RegistryBatch>> batches;
    auto key = [&] { return keys[input.Byte() % keys.size()]; };
    bool changedInBatch = false;
    while (!input.Empty()) {
        // Whether the store has changed (or, in a batch, will change) the file.
        bool changed = false;
        switch (input.Byte() % 9) {
        case 0: {
            const HKEY base = key();
            changed = CreateKey(base, input.Name(true), keys);
            break;
        }
        case 1: {
            // Deep paths: one name repeated, up to beyond the depth limit.
            std::string path;
            for (int level = input.Byte() * 3; level > 0; --level)
                path += "d\\";
            const HKEY base = key();
            changed = CreateKey(base, path, keys);
            break;
        }
        case 2: {
            const HKEY target = key();
            const std::string name = input.Name(true);
            const std::vector<BYTE> bytes = input.Data();
            changed = RegSetValueExA(target, name.c_str(), 0, input.Byte() % 8, bytes.data(),
                                     static_cast<DWORD>(bytes.size()))
                   == ERROR_SUCCESS;
            break;
        }
        case 3: {
            const HKEY target = key();
            changed = RegDeleteValueA(target, input.Name(true).c_str()) == ERROR_SUCCESS;
            break;
        }
        case 4:
            batches.push_back(std::make_unique<RegistryBatch>());
            break;
        case 5:
            if (!batches.empty()) {
                const bool written = batches.back()->Commit() == ERROR_SUCCESS;
                batches.pop_back();
                changed = written && batches.empty() && changedInBatch;
                if (batches.empty())
                    changedInBatch = false;
            }
            break;
        case 6:
            RegistryReload();
            keys.resize(1);
            changedInBatch = false;
            break;
        case 7: {
            // Another instance (or an editor) replaces the file.
            std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + input.Name(true) + "]\n\"" + input.Name(false)
                             + "\"=hex:01\n";
            if (input.Byte() % 4 == 0)
                text += input.Name(true);   // sometimes no store file at all
            std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << text;
            break;
        }
        case 8:
            if (keys.size() > 1) {
                const std::size_t index = 1 + input.Byte() % (keys.size() - 1);
                RegCloseKey(keys[index]);
                keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(index));
            }
            break;
        }
        if (changed && batches.empty())
            CheckFileAgreesWithMemory();
        else if (changed)
            changedInBatch = true;
    }
    batches.clear();
    for (std::size_t i = 1; i < keys.size(); ++i)
        RegCloseKey(keys[i]);
    return 0;
}

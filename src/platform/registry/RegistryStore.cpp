#include "platform/registry/RegistryStore.h"

#include "platform/registry/AtomicFile.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryLocation.h"

#include <cerrno>

namespace {

RegistryKey currentUserKey;

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";

} // namespace

const HKEY HKEY_CURRENT_USER = &currentUserKey;

RegistryStore& RegistryStore::Instance()
{
    static RegistryStore store;
    return store;
}

void RegistryStore::EnsureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_path = RegistryFilePath();
    m_root = std::make_unique<RegistryNode>();
    m_root->name = kRootName;

    std::string text;
    FileReadResult result = ReadWholeFile(m_path, text);
    if (result == FileReadResult::Read && text.empty())
        return;
    if (result == FileReadResult::Read) {
        auto parsed = std::make_unique<RegistryNode>();
        parsed->name = kRootName;
        if (ParseRegistryFile(text, *parsed)) {
            m_root = std::move(parsed);
            return;
        }
    }
    // A file we cannot make sense of is kept for the user to look at rather than overwritten
    // by the next change. One that cannot be opened at all stays where it is.
    if (result == FileReadResult::Read || result == FileReadResult::TooLarge)
        KeepFileAside(m_path);
}

RegistryNode* RegistryStore::Resolve(HKEY key)
{
    if (key == HKEY_CURRENT_USER) {
        EnsureLoaded();
        return m_root.get();
    }
    auto it = m_handles.find(key);
    if (it == m_handles.end() || it->second->generation != m_generation || !m_loaded)
        return nullptr;
    return it->second->node;
}

HKEY RegistryStore::OpenHandle(RegistryNode& node)
{
    auto handle = std::make_unique<RegistryKey>(RegistryKey{&node, m_generation});
    HKEY result = handle.get();
    m_handles.emplace(result, std::move(handle));
    return result;
}

bool RegistryStore::CloseHandle(HKEY key)
{
    if (key == HKEY_CURRENT_USER)
        return true;
    return m_handles.erase(key) > 0;
}

LONG RegistryStore::Commit()
{
    EnsureLoaded();
    int error = WriteFileAtomically(m_path, FormatRegistryFile(*m_root));
    if (error == 0)
        return ERROR_SUCCESS;
    return (error == EACCES || error == EPERM || error == EROFS) ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
}

void RegistryStore::Reload()
{
    // Handles stay in the table so that closing them still frees them; the new generation
    // makes every other use of them fail cleanly.
    ++m_generation;
    m_loaded = false;
    m_root.reset();
}

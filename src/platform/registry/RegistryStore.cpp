#include "platform/registry/RegistryStore.h"

#include "platform/AsciiCase.h"
#include "platform/registry/AtomicFile.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryLocation.h"
#include "platform/registry/RegistryTree.h"
#include "platform/registry/StoreLock.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <unordered_set>

namespace {

RegistryKey currentUserKey;

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";
const char* const kTooLarge = "the file would grow beyond what the program reads back";

struct TreeRead {
    std::unique_ptr<RegistryNode> tree;
    std::string text;
    FileReadResult result;
    int error = 0;
    bool keptAside = true;   // false: a file that is no store could not be moved out of the way
};

// The file's tree; an empty one when the file is missing, empty or unusable. A file we cannot
// make sense of is kept for the user to look at rather than overwritten by the next change.
TreeRead ReadTree(const std::string& file)
{
    TreeRead read{std::make_unique<RegistryNode>(std::string(kRootName)), {}, FileReadResult::Missing};
    read.result = ReadWholeFile(file, read.text, &read.error);
    if (read.result == FileReadResult::Read && !read.text.empty()) {
        auto parsed = std::make_unique<RegistryNode>(std::string(kRootName));
        if (ParseRegistryFile(read.text, *parsed)) {
            read.tree = std::move(parsed);
        } else {
            read.keptAside = KeepFileAside(file);
            read.text.clear();
        }
    } else if (read.result == FileReadResult::TooLarge) {
        read.keptAside = KeepFileAside(file);
    }
    return read;
}

std::size_t SubkeyPathLength(const std::vector<std::string>& path, std::size_t count)
{
    std::size_t length = 0;
    for (std::size_t i = 0; i < count; ++i)
        length += 1 + path[i].size();
    return length;
}

// One value of one key, whatever the case of the names.
std::string ValueIdentity(const std::vector<std::string>& keyPath, std::string_view valueName)
{
    std::string identity;
    for (const std::string& name : keyPath)
        identity += name + '\\';
    identity += '\0';
    identity += valueName;
    return ToLowerAscii(identity);
}

bool SameValue(const RegistryValue* a, const RegistryValue* b)
{
    if (!a || !b)
        return a == b;
    return a->type == b->type && a->data == b->data;
}

RegistryNode& ObtainKey(RegistryNode& root, const std::vector<std::string>& path, bool& anyCreated)
{
    RegistryNode* key = &root;
    for (const std::string& name : path) {
        bool created = false;
        key = &key->ObtainSubkey(name, created);
        anyCreated = anyCreated || created;
    }
    return *key;
}

std::string ErrnoText(int error)
{
    return std::generic_category().message(error);
}

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
    std::string file;
    if (ResolveFileLinks(m_path, file) != 0)
        file = m_path;
    // Another instance may be writing; its rename is atomic, but the lock also keeps a file
    // that is being set aside from being read half-way.
    StoreLock lock;
    lock.Acquire(FolderOf(file), StoreLock::Mode::Shared);
    m_root = ReadTree(file).tree;
    m_size = FormattedSize(*m_root);
}

const std::vector<std::string>* RegistryStore::PathOf(HKEY key) const
{
    if (key == HKEY_CURRENT_USER)
        return &currentUserKey.path;
    auto it = m_handles.find(key);
    if (it == m_handles.end() || it->second->generation != m_generation || !m_loaded)
        return nullptr;
    return &it->second->path;
}

RegistryNode* RegistryStore::Resolve(HKEY key, LONG& error)
{
    if (key == HKEY_CURRENT_USER)
        EnsureLoaded();
    const std::vector<std::string>* path = PathOf(key);
    if (!path) {
        error = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    RegistryNode* node = FindKey(*m_root, *path);
    error = node ? ERROR_SUCCESS : ERROR_KEY_DELETED;
    return node;
}

LONG RegistryStore::CreateKey(HKEY key, const std::vector<std::string>& names, HKEY* result, bool& created)
{
    created = false;
    LONG error = ERROR_SUCCESS;
    RegistryNode* node = Resolve(key, error);
    if (!node)
        return error;
    std::vector<std::string> path = *PathOf(key);
    if (path.size() + names.size() > kMaxRegistryKeyDepth)
        return Fail(ERROR_INVALID_PARAMETER, kTooDeep);

    // The path in the spelling of the keys that exist, and what the new keys add to the file.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t firstNew = kNone;
    std::size_t growth = 0;
    for (const std::string& name : names) {
        RegistryNode* existing = firstNew == kNone ? node->FindSubkey(name) : nullptr;
        if (existing) {
            path.push_back(existing->name);
            node = existing;
            continue;
        }
        if (firstNew == kNone)
            firstNew = path.size();
        path.push_back(name);
        growth += FormattedSectionSize(SubkeyPathLength(path, path.size()));
    }
    if (growth > kMaxStoreFileSize - std::min(m_size, kMaxStoreFileSize))
        return Fail(ERROR_NOT_ENOUGH_QUOTA, kTooLarge);

    if (firstNew != kNone) {
        bool anyCreated = false;
        ObtainKey(*m_root, path, anyCreated);
        m_changes.push_back(Change{Change::Kind::KeyCreated, path, {}, std::nullopt, firstNew});
        m_size += growth;
        created = true;
        if (LONG failed = Changed(); failed != ERROR_SUCCESS) {
            created = false;
            return failed;
        }
    }
    auto handle = std::make_unique<RegistryKey>(RegistryKey{std::move(path), m_generation});
    *result = handle.get();
    m_handles.emplace(*result, std::move(handle));
    return ERROR_SUCCESS;
}

LONG RegistryStore::SetValue(HKEY key, std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data)
{
    LONG error = ERROR_SUCCESS;
    RegistryNode* node = Resolve(key, error);
    if (!node)
        return error;
    const RegistryValue* existing = node->FindValue(name);
    RegistryValue value{existing ? existing->name : std::string(name), type, std::move(data)};
    const std::size_t added = FormattedValueSize(value)
                            + (node == m_root.get() && node->values.empty() ? FormattedSectionSize(0) : 0);
    const std::size_t removed = existing ? FormattedValueSize(*existing) : 0;
    if (m_size - removed + added > kMaxStoreFileSize)
        return Fail(ERROR_NOT_ENOUGH_QUOTA, kTooLarge);

    m_changes.push_back(Change{Change::Kind::ValueSet, *PathOf(key), value.name,
                               existing ? std::optional<RegistryValue>(*existing) : std::nullopt, 0});
    node->SetValue(name, type, std::move(value.data));
    m_size = m_size - removed + added;
    return Changed();
}

LONG RegistryStore::DeleteValue(HKEY key, std::string_view name)
{
    LONG error = ERROR_SUCCESS;
    RegistryNode* node = Resolve(key, error);
    if (!node)
        return error;
    RegistryValue* value = node->FindValue(name);
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    const std::size_t position = static_cast<std::size_t>(value - node->values.data());
    m_size -= FormattedValueSize(*value);
    m_changes.push_back(Change{Change::Kind::ValueDeleted, *PathOf(key), value->name, std::move(*value), position});
    node->values.erase(node->values.begin() + static_cast<std::ptrdiff_t>(position));
    if (node == m_root.get() && node->values.empty())
        m_size -= FormattedSectionSize(0);
    return Changed();
}

bool RegistryStore::CloseHandle(HKEY key)
{
    if (key == HKEY_CURRENT_USER)
        return true;
    return m_handles.erase(key) > 0;
}

void RegistryStore::BeginBatch()
{
    ++m_batchDepth;
}

LONG RegistryStore::EndBatch()
{
    if (m_batchDepth > 0 && --m_batchDepth > 0)
        return ERROR_SUCCESS;
    return Commit();
}

LONG RegistryStore::Changed()
{
    return m_batchDepth > 0 ? ERROR_SUCCESS : Commit();
}

LONG RegistryStore::Commit()
{
    if (m_changes.empty())
        return ERROR_SUCCESS;
    const LONG result = WriteChanges();
    if (result != ERROR_SUCCESS)
        UndoChanges();
    m_changes.clear();
    return result;
}

LONG RegistryStore::WriteChanges()
{
    std::string file;
    if (int error = ResolveFileLinks(m_path, file))
        return Fail(ERROR_WRITE_FAULT, m_path, ErrnoText(error));
    const std::string folder = FolderOf(file);
    if (int error = EnsureFolder(folder))
        return Fail(error == EACCES || error == EROFS ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT, file,
                    ErrnoText(error));
    StoreLock lock;
    if (int error = lock.Acquire(folder, StoreLock::Mode::Exclusive)) {
        if (error == EWOULDBLOCK)
            return Fail(ERROR_LOCK_VIOLATION, file, "another instance of the program keeps it locked");
        return Fail(ERROR_WRITE_FAULT, file, ErrnoText(error));
    }

    TreeRead read = ReadTree(file);
    // What cannot be read is never overwritten: it may hold the user's settings.
    if (read.result == FileReadResult::NotRegular)
        return Fail(ERROR_WRITE_FAULT, file, "it is not a regular file");
    if (read.result == FileReadResult::Unreadable)
        return Fail(read.error == EACCES ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT, file, ErrnoText(read.error));
    if (!read.keptAside)
        return Fail(ERROR_WRITE_FAULT, file, "it is not a settings file, and it could not be set aside");

    ApplyChanges(*read.tree);
    const std::size_t size = FormattedSize(*read.tree);
    if (size > kMaxStoreFileSize)
        return Fail(ERROR_NOT_ENOUGH_QUOTA, file, kTooLarge);
    // Changes that leave the file as it is (values set to what they were) write nothing.
    const std::string text = FormatRegistryFile(*read.tree);
    if (text != read.text) {
        if (int error = WriteFileAtomically(file, text)) {
            const bool denied = error == EACCES || error == EPERM || error == EROFS;
            return Fail(denied ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT, file, ErrnoText(error));
        }
    }
    m_root = std::move(read.tree);
    m_size = size;
    return ERROR_SUCCESS;
}

void RegistryStore::ApplyChanges(RegistryNode& tree) const
{
    // Which values to write: those this process changed, and those it only wrote again as they
    // were, where no other instance changed them since (writing those too keeps the order of
    // values that a save which deletes and sets them again has always given the file).
    std::unordered_map<std::string, bool> write;
    for (const Change& change : m_changes) {
        if (change.kind == Change::Kind::KeyCreated)
            continue;
        auto [entry, first] = write.try_emplace(ValueIdentity(change.keyPath, change.valueName), false);
        if (!first)
            continue;
        // The first change of a value holds its state as last read.
        const RegistryValue* before = change.before ? &*change.before : nullptr;
        const RegistryNode* mine = FindKey(*m_root, change.keyPath);
        const RegistryNode* theirs = FindKey(tree, change.keyPath);
        entry->second = !SameValue(before, mine ? mine->FindValue(change.valueName) : nullptr)
                     || SameValue(before, theirs ? theirs->FindValue(change.valueName) : nullptr);
    }

    // The changes again in their order, each value with the data it has now.
    bool created = false;
    for (const Change& change : m_changes) {
        if (change.kind == Change::Kind::KeyCreated) {
            ObtainKey(tree, change.keyPath, created);
            continue;
        }
        if (!write.at(ValueIdentity(change.keyPath, change.valueName)))
            continue;
        if (change.kind == Change::Kind::ValueDeleted) {
            if (RegistryNode* key = FindKey(tree, change.keyPath))
                key->RemoveValue(change.valueName);
            continue;
        }
        const RegistryNode* mine = FindKey(*m_root, change.keyPath);
        const RegistryValue* now = mine ? mine->FindValue(change.valueName) : nullptr;
        RegistryNode& key = ObtainKey(tree, change.keyPath, created);
        // A value deleted again later is set for now only to take its place in the order.
        if (now)
            key.SetValue(now->name, now->type, now->data);
        else
            key.SetValue(change.valueName, REG_NONE, {});
    }
}

void RegistryStore::UndoChanges()
{
    for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change) {
        if (change->kind == Change::Kind::KeyCreated) {
            const std::vector<std::string> parentPath(change->keyPath.begin(),
                                                      change->keyPath.begin()
                                                          + static_cast<std::ptrdiff_t>(change->position));
            if (RegistryNode* parent = FindKey(*m_root, parentPath)) {
                auto& subkeys = parent->subkeys;
                subkeys.erase(std::remove_if(subkeys.begin(), subkeys.end(),
                                             [&](const std::unique_ptr<RegistryNode>& key) {
                                                 return EqualsNoCase(key->name, change->keyPath[change->position]);
                                             }),
                              subkeys.end());
            }
            continue;
        }
        RegistryNode* key = FindKey(*m_root, change->keyPath);
        if (!key)
            continue;
        if (change->kind == Change::Kind::ValueSet) {
            if (!change->before)
                key->RemoveValue(change->valueName);
            else if (RegistryValue* value = key->FindValue(change->valueName))
                *value = std::move(*change->before);
        } else {
            const std::size_t position = std::min(change->position, key->values.size());
            key->values.insert(key->values.begin() + static_cast<std::ptrdiff_t>(position),
                               std::move(*change->before));
        }
    }
    m_changes.clear();
    m_size = FormattedSize(*m_root);
}

LONG RegistryStore::Fail(LONG code, const std::string& file, const std::string& reason)
{
    m_failure = RegistryFailure{file, reason};
    return code;
}

std::string RegistryStore::FilePath() const
{
    return m_loaded ? m_path : RegistryFilePath();
}

void RegistryStore::Reload()
{
    // Handles stay in the table so that closing them still frees them; the new generation
    // makes every other use of them fail cleanly.
    ++m_generation;
    m_loaded = false;
    m_root.reset();
    m_changes.clear();
}

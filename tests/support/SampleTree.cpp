#include "support/SampleTree.h"

#include "support/TempDir.h"

#include <cstdio>
#include <map>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCopyBlock = 10240;   // the program's copy block: a file of several tests its seams

std::string RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xff);
    return bytes;
}

std::string ParentOf(const std::string& relative)
{
    const auto slash = relative.rfind('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

std::string NameOf(const std::string& relative)
{
    const auto slash = relative.rfind('/');
    return slash == std::string::npos ? relative : relative.substr(slash + 1);
}

// Every entry below `base` by relative path: a folder maps to nothing, a file to its content,
// anything else to a marker no file content is compared with.
struct Entry {
    enum Kind { Folder, File, Other } kind;
    std::string content;
};

std::map<std::string, Entry> ReadTree(const fs::path& base)
{
    std::map<std::string, Entry> entries;
    if (!fs::is_directory(base))
        return entries;
    for (const fs::directory_entry& item : fs::recursive_directory_iterator(base)) {
        const std::string relative = fs::relative(item.path(), base).generic_string();
        const fs::file_status status = item.symlink_status();
        if (fs::is_directory(status))
            entries[relative] = {Entry::Folder, {}};
        else if (fs::is_regular_file(status))
            entries[relative] = {Entry::File, ReadFileText(item.path())};
        else
            entries[relative] = {Entry::Other, {}};
    }
    return entries;
}

const char* KindName(Entry::Kind kind)
{
    return kind == Entry::Folder ? "folder" : kind == Entry::File ? "file" : "special file";
}

}  // namespace

std::vector<std::string> SampleTree::FilesIn(const std::string& folder) const
{
    std::vector<std::string> names;
    for (const auto& [path, content] : files) {
        if (ParentOf(path) == folder)
            names.push_back(NameOf(path));
    }
    return names;
}

std::vector<std::string> SampleTree::FoldersIn(const std::string& folder) const
{
    std::vector<std::string> names;
    for (const std::string& path : folders) {
        if (ParentOf(path) == folder)
            names.push_back(NameOf(path));
    }
    return names;
}

SampleTree MixedTree()
{
    const std::string deep = "Ünïcødé folder/level two/level three";
    SampleTree tree;
    tree.folders = {"empty top", "plain", "Ünïcødé folder", "Ünïcødé folder/level two", deep,
                    deep + "/empty at the bottom", deep + "/深い"};
    tree.files = {
        {"read me.txt", "the top level\n"},
        {"zero.bin", ""},
        {"Ünïcødé ファイル.txt", "crème brûlée\r\n"},
        {"blocks.bin", RandomBytes(3 * kCopyBlock + 17, 7)},
        {"line ends.txt", std::string("a\r\nb\nc\r\0\x80\xff\n", 11)},
        {"plain/also empty.txt", ""},
        {"Ünïcødé folder/naïve café.txt", "café"},
        {"Ünïcødé folder/level two/two  spaces.dat", RandomBytes(kCopyBlock, 8)},
        {deep + "/深い/日本語 ファイル.txt", "こんにちは"},
    };
    return tree;
}

SampleTree UniformTree(int folders, int filesPerFolder, std::size_t fileSize)
{
    SampleTree tree;
    char name[32];
    unsigned seed = 1;
    for (int folder = 0; folder < folders; ++folder) {
        std::snprintf(name, sizeof name, "dir%03d", folder);
        const std::string dir = name;
        tree.folders.push_back(dir);
        for (int file = 0; file < filesPerFolder; ++file) {
            std::snprintf(name, sizeof name, "/file%03d.bin", file);
            tree.files.emplace_back(dir + name, RandomBytes(fileSize, seed++));
        }
    }
    return tree;
}

void WriteTree(const SampleTree& tree, const fs::path& base, const std::function<void(const fs::path&)>& made)
{
    fs::create_directories(base);
    const auto tell = [&](const fs::path& path) {
        if (made)
            made(path);
    };
    for (const std::string& folder : tree.folders) {
        const fs::path path = base / folder;
        fs::create_directory(path);
        fs::permissions(path, fs::perms(0755));
        tell(path);
    }
    for (const auto& [relative, content] : tree.files) {
        const fs::path path = base / relative;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        const bool written = file && std::fwrite(content.data(), 1, content.size(), file) == content.size();
        if (!file || std::fclose(file) != 0 || !written)
            throw std::runtime_error("cannot write " + path.string());
        tell(path);
    }
}

std::vector<std::string> TreeDifferences(const fs::path& expected, const fs::path& actual)
{
    std::vector<std::string> differences;
    if (!fs::is_directory(actual))
        return {"there is no folder " + actual.string()};
    const std::map<std::string, Entry> want = ReadTree(expected);
    const std::map<std::string, Entry> have = ReadTree(actual);
    for (const auto& [path, entry] : want) {
        const auto found = have.find(path);
        if (found == have.end())
            differences.push_back(std::string("missing ") + KindName(entry.kind) + " " + path);
        else if (found->second.kind != entry.kind)
            differences.push_back(path + " is a " + KindName(found->second.kind) + ", not a " + KindName(entry.kind));
        else if (entry.kind == Entry::File && found->second.content != entry.content)
            differences.push_back(path + " differs: " + std::to_string(found->second.content.size()) + " bytes, not " +
                                  std::to_string(entry.content.size()) + " as in the source");
    }
    for (const auto& [path, entry] : have) {
        if (!want.count(path))
            differences.push_back(std::string("extra ") + KindName(entry.kind) + " " + path);
    }
    return differences;
}

#pragma once
// Trees of folders and files for copy tests and benchmarks, and comparing two trees on disk
// folder by folder and byte by byte.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct SampleTree {
    // Relative paths with "/" between names; each folder comes after its parent, and a file's
    // folder is listed before it.
    std::vector<std::string> folders;
    std::vector<std::pair<std::string, std::string>> files;   // relative path, content

    // The names of the files directly in `folder` ("" for the top), in the order listed.
    std::vector<std::string> FilesIn(const std::string& folder) const;
    // The names of the folders directly in `folder`, in the order listed.
    std::vector<std::string> FoldersIn(const std::string& folder) const;
};

// Five levels of folders, with empty ones at the top and at the bottom, a zero-byte file, a file
// of several copy blocks, bytes a text-mode transfer would change, and names with spaces and
// with letters beyond ASCII.
SampleTree MixedTree();
// `folders` folders of `filesPerFolder` files of `fileSize` bytes each, every file different.
SampleTree UniformTree(int folders, int filesPerFolder, std::size_t fileSize);

// Writes the tree below `base` (made if missing). `made` sees every folder and file written,
// folders before what they hold (a server fixture hands them to its account).
void WriteTree(const SampleTree& tree, const std::filesystem::path& base,
               const std::function<void(const std::filesystem::path&)>& made = {});

// How the tree at `actual` differs from the one at `expected`: each folder or file missing or
// extra, each file whose bytes differ, and each entry of another kind; empty when equal.
std::vector<std::string> TreeDifferences(const std::filesystem::path& expected, const std::filesystem::path& actual);

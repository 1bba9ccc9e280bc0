#pragma once
// Files the copy tests arrange and inspect.

#include <cstddef>
#include <filesystem>
#include <string>

// Bytes that tell every position of a block from its neighbours (byte i is i % 251).
inline std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

// Entries of a folder whose names start with a dot: the temporary copies a replace works with.
inline int HiddenFiles(const std::filesystem::path& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().filename().string().front() == '.';
    return count;
}

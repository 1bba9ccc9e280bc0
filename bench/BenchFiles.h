#pragma once
// What the benchmarks share: large files of random bytes, timing, and checking a copy's size.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

inline void WriteRandomFile(const std::filesystem::path& path, std::uint64_t size, std::uint64_t seed = 42)
{
    std::mt19937_64 random(seed);
    std::vector<std::uint64_t> block(1 << 17);
    std::ofstream out(path, std::ios::binary);
    for (std::uint64_t written = 0; written < size;) {
        for (auto& word : block)
            word = random();
        const auto n = std::min<std::uint64_t>(size - written, block.size() * sizeof block[0]);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
        written += n;
    }
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

inline double Seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline void RequireSize(const std::filesystem::path& path, std::uint64_t size)
{
    if (std::filesystem::file_size(path) != size)
        throw std::runtime_error(path.string() + " has " + std::to_string(std::filesystem::file_size(path)) +
                                 " bytes, not " + std::to_string(size));
}

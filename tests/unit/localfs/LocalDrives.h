#pragma once
// Temporary folders presented as drives: C: and D: map to folders of a temporary folder for
// the lifetime of a test, and the process's current directory is given back afterwards.

#include "platform/localfs/DriveMap.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>
#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class LocalDrivesTest : public ::testing::Test {
protected:
    LocalDrivesTest()
        : m_savedCwd(std::filesystem::current_path()),
          m_cFolder(m_temp.MakeDir("c")),
          m_dFolder(m_temp.MakeDir("d")),
          m_drives("FERRIX_DRIVES", "C=" + m_cFolder.string() + ";D=" + m_dFolder.string())
    {
        localfs::ReloadDriveMap();
    }

    ~LocalDrivesTest() override { std::filesystem::current_path(m_savedCwd); }

    // Maps the drives anew from `value`.
    void MapDrives(const std::string& value)
    {
        setenv("FERRIX_DRIVES", value.c_str(), 1);
        localfs::ReloadDriveMap();
    }

    static std::string ReadAll(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void SetModified(const std::filesystem::path& file, std::int64_t seconds)
    {
        const timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << file;
    }

    // Reloads the map once the variable is back as it was, so later tests see their own.
    struct ReloadOnExit {
        ~ReloadOnExit() { localfs::ReloadDriveMap(); }
    } m_reload;
    TempDir m_temp;
    std::filesystem::path m_savedCwd;
    std::filesystem::path m_cFolder;
    std::filesystem::path m_dFolder;
    ScopedEnv m_drives;
};

// Times the file system keeps that a 32-bit clock cannot.
constexpr std::int64_t kBefore1970 = -631152000;   // 1950-01-01 00:00:00 UTC
constexpr std::int64_t kAfter2038 = 4102444800;    // 2100-01-01 00:00:00 UTC
constexpr std::uint64_t kOver4GiB = (5ULL << 30) + 7;

#pragma once
// The program's drive C: as a temporary folder, for as long as the object lives. Local copies
// make the folders they work in current; at the end the folder that was current before comes
// back, so that nothing started later (a test server) starts in a folder that is gone.

#include "support/TempDir.h"

#include <filesystem>
#include <memory>

class ScopedLocalDrive {
public:
    ScopedLocalDrive();
    ~ScopedLocalDrive();
    ScopedLocalDrive(const ScopedLocalDrive&) = delete;
    ScopedLocalDrive& operator=(const ScopedLocalDrive&) = delete;

    TempDir folder;

private:
    std::filesystem::path m_startFolder;
    std::unique_ptr<ScopedEnv> m_drives;
};

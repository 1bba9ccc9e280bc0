#include "support/LocalDrive.h"

#include "platform/localfs/DriveMap.h"

ScopedLocalDrive::ScopedLocalDrive()
    : m_startFolder(std::filesystem::current_path()),
      m_drives(std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + folder.Str()))
{
    localfs::ReloadDriveMap();
}

ScopedLocalDrive::~ScopedLocalDrive()
{
    m_drives.reset();
    localfs::ReloadDriveMap();
    std::filesystem::current_path(m_startFolder);
}

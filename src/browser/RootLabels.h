#pragma once
// The labels a tree's root can carry besides a server name. m_strRootLabel holds one of them
// and decides what SetRoot builds.

inline constexpr const char* kLocalMachineLabel = "Local Machine";
inline constexpr const char* kRemoteHostLabel = "Remote Host";

#pragma once
// Whole-file reading and atomic replacement for the store's file.

#include <string>
#include <string_view>

enum class FileReadResult { Read, Missing, Unreadable, NotRegular, TooLarge };

// Files larger than this are not a store of ours; reading them would only exhaust memory.
constexpr std::size_t kMaxStoreFileSize = 256u * 1024 * 1024;

// Opens only a regular file (a FIFO or a device at the path would block or have effects).
// *error receives the errno of an Unreadable result.
FileReadResult ReadWholeFile(const std::string& path, std::string& content, int* error = nullptr);

// The file that `path` names once symbolic links in its last component are followed (each
// relative to the folder of its link), so that writing replaces the link's target rather than
// the link: a linked dotfile keeps working. The path itself when it is no link, or when it
// does not exist. 0, or ELOOP for a circle of links.
int ResolveFileLinks(const std::string& path, std::string& target);

std::string FolderOf(const std::string& path);
// Creates missing folders on the way with mode 0700. 0 or an errno.
int EnsureFolder(const std::string& folder);

// Replaces `path` itself (a link there is replaced too: resolve it first) with `content` so that a reader sees either the old file or the new one,
// never a part: a temporary file in the same folder, written, flushed to disk, given mode 0600
// and renamed over the old one. Missing folders on the way are created with mode 0700.
// Returns 0 or the errno of the step that failed; the old file is then untouched and the
// temporary file removed.
int WriteFileAtomically(const std::string& path, std::string_view content);

// Renames an unreadable store file to "<path>.corrupt-<unix time>" (with a counter when that
// name is taken) so that it is kept for inspection. False when it could not be moved.
bool KeepFileAside(const std::string& path);

#pragma once
// Whole-file reading and atomic replacement for the store's file.

#include <string>
#include <string_view>

enum class FileReadResult { Read, Missing, Unreadable, TooLarge };

// Files larger than this are not a store of ours; reading them would only exhaust memory.
constexpr std::size_t kMaxStoreFileSize = 256u * 1024 * 1024;

FileReadResult ReadWholeFile(const std::string& path, std::string& content);

// Replaces `path` with `content` so that a reader sees either the old file or the new one,
// never a part: a temporary file in the same folder, written, flushed to disk, given mode 0600
// and renamed over the old one. Missing folders on the way are created with mode 0700.
// Returns 0 or the errno of the step that failed; the old file is then untouched and the
// temporary file removed.
int WriteFileAtomically(const std::string& path, std::string_view content);

// Renames an unreadable store file to "<path>.corrupt-<unix time>" (with a counter when that
// name is taken) so that it is kept for inspection. False when it could not be moved.
bool KeepFileAside(const std::string& path);

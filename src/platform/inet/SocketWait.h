#pragma once
// Bounded waits on sockets.

#include <chrono>
#include <functional>

enum class WaitResult { Ready, TimedOut };

// A program with a window keeps it alive during long waits through a wait observer: while one
// is installed, every wait polls in slices of kWaitSlice and calls it before each slice with
// the time waited so far (zero first). Returning false abandons the wait, which then throws
// CInternetException ERROR_INTERNET_OPERATION_CANCELLED with kStoppedByUserText. The observer
// belongs to the calling thread.
using WaitObserver = std::function<bool(std::chrono::milliseconds waited)>;
inline constexpr std::chrono::milliseconds kWaitSlice{100};
inline constexpr const char* kStoppedByUserText = "Stopped by the user";
// Installs `observer` (empty: none) and returns the one it replaces.
WaitObserver SetWaitObserver(WaitObserver observer);
// One step of a wait that has `left` to go after `waited`: asks the observer, if any, whether
// to go on (throwing when it says no) and returns how long to wait before asking again.
std::chrono::milliseconds NextWaitSlice(std::chrono::milliseconds waited, std::chrono::milliseconds left);

// Waits until `fd` is readable (or at its end, or in error), up to `timeout`.
WaitResult WaitReadable(int fd, std::chrono::milliseconds timeout);
WaitResult WaitWritable(int fd, std::chrono::milliseconds timeout);

// Waits on two descriptors for reading; returns which became readable first (0 or 1), or -1
// on timeout. `second` may be -1 to wait on `first` alone.
int WaitEitherReadable(int first, int second, std::chrono::milliseconds timeout);

// Throws CInternetException for the errno left by a failed socket call on an open connection.
[[noreturn]] void ThrowSocketError(int error, const char* what);

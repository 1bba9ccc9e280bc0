#pragma once
// Bounded waits on sockets.

#include <chrono>

enum class WaitResult { Ready, TimedOut };

// Waits until `fd` is readable (or at its end, or in error), up to `timeout`.
WaitResult WaitReadable(int fd, std::chrono::milliseconds timeout);
WaitResult WaitWritable(int fd, std::chrono::milliseconds timeout);

// Waits on two descriptors for reading; returns which became readable first (0 or 1), or -1
// on timeout. `second` may be -1 to wait on `first` alone.
int WaitEitherReadable(int first, int second, std::chrono::milliseconds timeout);

// Throws CInternetException for the errno left by a failed socket call on an open connection.
[[noreturn]] void ThrowSocketError(int error, const char* what);

#pragma once
// The retry rule of the file operations: an action is attempted a fixed number of times in
// immediate succession and the first success ends it.

// Runs `action` (returning true on success) up to `attempts` times; true at the first success.
// An exception thrown by an attempt is that attempt's failure: the operations answer with a
// success flag only, their callers show their own message, so nothing may pass through them.
// The errno or the connection's last error of the last attempt is left as that attempt set it.
template <typename Action>
bool AttemptUpTo(int attempts, Action&& action)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        try {
            if (action())
                return true;
        } catch (...) {
            // Counted as a failed attempt (see above).
        }
    }
    return false;
}

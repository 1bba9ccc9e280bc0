#pragma once
// The retry rule of the file operations: an action is attempted a fixed number of times in
// immediate succession and the first success ends it.

#include "platform/inet/FtpConnection.h"

#include <utility>

// Runs `action` (returning true on success) up to `attempts` times; true at the first success.
// An exception thrown by an attempt is that attempt's failure: the operations answer with a
// success flag only, their callers show their own message, so nothing may pass through them.
// `giveUp`, asked after each failed attempt, ends the attempts early.
// The errno or the connection's last error of the last attempt is left as that attempt set it.
template <typename Action, typename GiveUp = bool (*)()>
bool AttemptUpTo(int attempts, Action&& action, GiveUp giveUp = [] { return false; })
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        try {
            if (action())
                return true;
        } catch (...) {
            // Counted as a failed attempt (see above).
        }
        if (giveUp())
            return false;
    }
    return false;
}

// The same on a connection, except that a server which let the time-out pass is not asked again:
// the user has waited once already, and an immediate second request would only wait as long.
template <typename Action>
bool AttemptOnHost(CFtpConnection& connection, int attempts, Action&& action)
{
    return AttemptUpTo(attempts, std::forward<Action>(action),
                       [&] { return connection.GetLastErrorCode() == ERROR_INTERNET_TIMEOUT; });
}

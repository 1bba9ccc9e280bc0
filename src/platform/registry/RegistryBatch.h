#pragma once
// What the store offers beyond the platform's registry calls: writing many changes as one,
// and saying why a write failed.

#include "platform/registry/Registry.h"

#include <string>

// While a batch lives, the registry calls change the store in memory only (and report success
// once a change is accepted); Commit then writes them all to the file at once. Batches nest;
// only the outermost one writes. One that ends without Commit writes its changes then, unseen.
class RegistryBatch {
public:
    RegistryBatch();
    ~RegistryBatch();
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

    // ERROR_SUCCESS, or why the file could not be written: the batch's changes are then undone
    // in memory too, so that memory agrees with the file.
    LONG Commit();

private:
    bool m_open = true;
};

// The file and the reason of the last write of the store that failed, in words for a message.
struct RegistryFailure {
    std::string file;
    std::string reason;
};
RegistryFailure RegistryLastFailure();

#pragma once
// What a copy batch shows while it runs, and how it hears of a cancel. The "Copying..." dialog
// implements it for the window; the engine and its tests know only this.

#include "net/ProgressText.h"

#include <cstdint>
#include <string>

class CFileTransfer;

class CopyProgress {
public:
    virtual ~CopyProgress() = default;

    // The back link a cancel goes through; null unlinks (the batch has ended).
    virtual void AttachTransfer(CFileTransfer* transfer) = 0;
    // The file now being copied, full paths.
    virtual void ShowFiles(const std::string& source, const std::string& destination) = 0;
    // A new file's bar: range 0..`range`, position 0.
    virtual void SetBarRange(std::uint32_t range) = 0;
    virtual void AdvanceBar(std::uint32_t delta) = 0;
    virtual void ShowProgress(const ProgressLines& lines) = 0;
    // Lets the rest of the program run between two blocks (the Cancel button among it).
    virtual void PumpMessages() = 0;
    // The batch is over: go away without reporting a cancel. The transfer forgets the progress
    // right after this call.
    virtual void Dismiss() = 0;
};

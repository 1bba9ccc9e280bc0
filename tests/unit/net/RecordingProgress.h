#pragma once
// A progress that remembers what a copy showed and can cancel it at a chosen pump, the way the
// user's Cancel button does between two blocks.

#include "net/CopyProgress.h"
#include "net/FileTransfer.h"

#include <string>
#include <vector>

class RecordingProgress : public CopyProgress {
public:
    void AttachTransfer(CFileTransfer* transfer) override { m_transfer = transfer; }
    void ShowFiles(const std::string& source, const std::string& destination) override
    {
        files.push_back(source + " -> " + destination);
    }
    void SetBarRange(std::uint32_t range) override
    {
        barRange = range;
        barPosition = 0;
    }
    void AdvanceBar(std::uint32_t delta) override { barPosition += delta; }
    void ShowProgress(const ProgressLines& lines) override { shown.push_back(lines); }
    void PumpMessages() override
    {
        ++pumps;
        if (pumps == cancelAtPump && m_transfer) {
            m_transfer->RequestCancel();
            m_transfer->ForgetDialog();
            m_transfer = nullptr;
        }
    }
    void Dismiss() override { dismissed = true; }

    int cancelAtPump = 0;   // 0: never
    std::vector<std::string> files;
    std::vector<ProgressLines> shown;
    std::uint32_t barRange = 0;
    std::uint32_t barPosition = 0;
    int pumps = 0;
    bool dismissed = false;

private:
    CFileTransfer* m_transfer = nullptr;
};

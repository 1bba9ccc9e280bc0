#pragma once
// CFtpSession: the internet session of one region (and of the transfer engine's second
// connection). Every status notification of the session and of what is opened through it is
// written to the session log, and its text shown where the program shows status texts.

#include "platform/inet/InternetSession.h"

#include <cstdint>
#include <functional>
#include <string>

class CFtpSession : public CInternetSession {
public:
    // Context values: the region index plus kRegionContextBase for a region's session,
    // kTransferContext for the transfer engine's.
    static constexpr DWORD_PTR kRegionContextBase = 10;
    static constexpr DWORD_PTR kTransferContext = 13;

    explicit CFtpSession(DWORD_PTR context);

    void OnStatusCallback(DWORD_PTR context, std::uint32_t internetStatus, const void* statusInformation,
                          std::uint32_t statusInformationLength) override;
};

// The text of a status code; empty for a code the program does not name.
const char* StatusText(std::uint32_t internetStatus);

// The session log: every status text of every session, each line ended by "\r\n", in arrival
// order. Lives for the whole process; only the session status dialog empties it.
std::string& SessionLog();

// Set once the program begins to shut down: status texts then go to the log only, since the
// window that shows them is gone.
extern bool g_bShuttingDown;

// Where the latest status text is shown (the main window's status bar); empty: nowhere.
using StatusDisplay = std::function<void(const std::string& text)>;
void SetStatusDisplay(StatusDisplay display);

// How fast the "FTP Session Status" dialog opens on a long session log: several megabytes of
// status lines, as a day of browsing leaves them. Prints the time from the command to the
// dialog drawn with the log in it. Goal: under a second. Run under a display (xvfb-run).
//
//   bench_SessionLogBench [MiB]     (default 8)

#include "app/SessionStatusDlg.h"
#include "net/FtpSession.h"
#include "platform/inet/InetConstants.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {
constexpr std::size_t kDefaultMiB = 8;
constexpr double kGoalSeconds = 1.0;

using Clock = std::chrono::steady_clock;

// What the sessions write while connecting and listing, over and over.
void FillLog(std::size_t bytes)
{
    CFtpSession session(CFtpSession::kRegionContextBase);
    session.EnableStatusCallback(true);
    const std::uint32_t cycle[] = {INTERNET_STATUS_SENDING_REQUEST, INTERNET_STATUS_REQUEST_SENT,
                                   INTERNET_STATUS_RECEIVING_RESPONSE, INTERNET_STATUS_RESPONSE_RECEIVED};
    const char host[] = "ftp.example.org";
    while (SessionLog().size() < bytes) {
        session.NotifyStatus(session.GetContext(), INTERNET_STATUS_RESOLVING_NAME, host, sizeof host - 1);
        for (std::uint32_t status : cycle)
            session.NotifyStatus(session.GetContext(), status, nullptr, 0);
    }
}
} // namespace

int main(int argc, char** argv)
{
    const std::size_t mib = argc > 1 ? std::stoul(argv[1]) : kDefaultMiB;
    wxApp::SetInstance(new wxApp);
    wxInitializer init(argc, argv);
    if (!init.IsOk()) {
        std::fprintf(stderr, "cannot initialise wxWidgets (run under xvfb-run)\n");
        return 1;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1000, 700));
    frame->Show();
    wxTheApp->Yield(true);
    FillLog(mib * 1024 * 1024);

    const auto start = Clock::now();
    auto* dialog = new CSessionStatusDlg(frame);
    dialog->Show();
    dialog->Update();
    wxTheApp->Yield(true);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    auto* text = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(CSessionStatusDlg::IDC_LOG_TEXT));
    const bool complete = text && text->GetLastPosition() > 0 && text->GetNumberOfLines() > 1000;
    std::printf("session log of %.1f MiB (%zu bytes) shown in %.3f s (goal under %.1f s)%s\n",
                static_cast<double>(SessionLog().size()) / (1024 * 1024), SessionLog().size(), seconds, kGoalSeconds,
                complete ? "" : "  NOT ALL SHOWN");
    dialog->Destroy();
    frame->Destroy();
    wxTheApp->Yield(true);
    return 0;
}

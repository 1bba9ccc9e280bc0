// ferrix-probe: one FTP operation through the program's own client library, from the command
// line, for diagnosing a server the way the program sees it.

#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "probe/Commands.h"
#include "probe/Credentials.h"
#include "probe/Options.h"
#include "platform/inet/PrintableText.h"
#include "probe/ProbeSession.h"
#include "probe/Url.h"

#include <sys/prctl.h>
#include <sys/resource.h>

#include <iostream>
#include <memory>
#include <optional>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct ConnectionCloser {
    void operator()(CFtpConnection* connection) const
    {
        connection->Close();
        delete connection;
    }
};

// The probe holds a password in memory: no core file may carry it off, and no other process
// of the user may read its memory (a process that cannot dump cannot be traced either).
void KeepMemoryPrivate()
{
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_CORE, &none);
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

int Probe(const ProbeOptions& options, const std::optional<std::string>& passwordFromEnvironment)
{
    const FtpUrl& url = options.url;
    const ProbeLogin login = ResolveLogin(options, passwordFromEnvironment);
    ProbeSession session(options.verbose, std::cerr, login.password);
    session.SetTimeout(options.timeout);
    std::unique_ptr<CFtpConnection, ConnectionCloser> connection(
        session.GetFtpConnection(url.host, login.user, login.password, url.port, !options.active, options.security));
    if (!url.path.empty() && !connection->SetCurrentDirectory(url.path))
        return ReportFailure(*connection, "cd " + url.path, std::cerr);
    int status = RunConnectionCommand(*connection, options, std::cout, std::cerr);
    std::cout.flush();
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    KeepMemoryPrivate();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Out of what `ps` shows as soon as the probe has its own copy.
    for (int i = 1; i < argc; ++i)
        WipeUrlPassword(argv[i]);
    const std::optional<std::string> passwordFromEnvironment = TakePasswordFromEnvironment();

    ProbeOptions options;
    try {
        options = ParseProbeArguments(arguments);
    } catch (const UsageError& error) {
        std::cerr << "ferrix-probe: " << error.what() << '\n' << kProbeUsage;
        return kExitUsage;
    }
    try {
        if (options.command == "parse-listing")
            return RunParseListing(options, std::cin, std::cout, std::cerr);
        return Probe(options, passwordFromEnvironment);
    } catch (const CInternetException& error) {
        std::cerr << "ferrix-probe: error " << error.m_dwError << ": " << PrintableText(error.GetText()) << '\n';
    } catch (const std::exception& error) {
        std::cerr << "ferrix-probe: " << PrintableText(error.what()) << '\n';
    }
    return kExitFailed;
}

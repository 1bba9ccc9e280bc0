// ferrix-probe: one FTP operation through the program's own client library, from the command
// line, for diagnosing a server the way the program sees it.

#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "probe/Commands.h"
#include "probe/Options.h"
#include "probe/ProbeSession.h"

#include <iostream>
#include <memory>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// What an anonymous login gives as its password, by custom an e-mail address.
constexpr const char* kAnonymousUser = "anonymous";
constexpr const char* kAnonymousPassword = "ferrix-probe@";

struct ConnectionCloser {
    void operator()(CFtpConnection* connection) const
    {
        connection->Close();
        delete connection;
    }
};

int Probe(const ProbeOptions& options)
{
    const FtpUrl& url = options.url;
    const bool anonymous = url.user.empty();
    const std::string user = anonymous ? kAnonymousUser : url.user;
    const std::string password = anonymous && url.password.empty() ? kAnonymousPassword : url.password;
    ProbeSession session(options.verbose, std::cerr, password);
    session.SetTimeout(options.timeout);
    std::unique_ptr<CFtpConnection, ConnectionCloser> connection(
        session.GetFtpConnection(url.host, user, password, url.port, !options.active, options.security));
    if (!url.path.empty() && !connection->SetCurrentDirectory(url.path))
        return ReportFailure(*connection, "cd " + url.path, std::cerr);
    int status = RunConnectionCommand(*connection, options, std::cout, std::cerr);
    std::cout.flush();
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    ProbeOptions options;
    try {
        options = ParseProbeArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "ferrix-probe: " << error.what() << '\n' << kProbeUsage;
        return kExitUsage;
    }
    try {
        if (options.command == "parse-listing")
            return RunParseListing(options, std::cin, std::cout, std::cerr);
        return Probe(options);
    } catch (const CInternetException& error) {
        std::cerr << "ferrix-probe: error " << error.m_dwError << ": " << error.GetText() << '\n';
    } catch (const std::exception& error) {
        std::cerr << "ferrix-probe: " << error.what() << '\n';
    }
    return kExitFailed;
}

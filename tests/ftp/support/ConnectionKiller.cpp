#include "ftp/support/ConnectionKiller.h"

#include "ftp/support/ChildProcess.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/Resolver.h"
#include "platform/inet/TcpListener.h"
#include "platform/inet/TcpStream.h"

#include <unistd.h>

#include <chrono>
#include <memory>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSs = "/usr/bin/ss";
constexpr const char* kLoopbackHex = "0100007F";   // 127.0.0.1 as /proc/net/tcp writes it
// Established, or closed by the server with data still unread (CLOSE_WAIT).
constexpr const char* kEstablished = "01";
constexpr const char* kCloseWait = "08";

// The inode numbers of this process's sockets.
std::set<std::string> OwnSocketInodes()
{
    std::set<std::string> inodes;
    const std::string prefix = "socket:[";
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = fs::read_symlink(entry.path(), error).string();
        if (!error && target.rfind(prefix, 0) == 0)
            inodes.insert(target.substr(prefix.size(), target.size() - prefix.size() - 1));
    }
    return inodes;
}

// Destroys the one connection from `localPort` to `remotePort` on 127.0.0.1. `ss` lists what it
// destroyed (and exits 0 even when the kernel refused, saying so on standard error only).
bool Kill(unsigned long localPort, unsigned long remotePort)
{
    const CommandResult result = RunCommand({kSs, "-K", "-t", "-H", "src", "127.0.0.1:" + std::to_string(localPort),
                                             "dst", "127.0.0.1:" + std::to_string(remotePort)});
    return result.exitCode == 0 && result.out.find(std::to_string(remotePort)) != std::string::npos;
}

// Whether a connection of this process's own can be destroyed (root alone is not enough: a
// container may lack CAP_NET_ADMIN, a kernel the socket-destroy support).
bool ProbeKill()
{
    if (::geteuid() != 0 || !fs::exists(kSs))
        return false;
    constexpr std::chrono::seconds kProbeTimeout{5};
    try {
        const SocketAddress loopback = ResolveHost("127.0.0.1", 0, kProbeTimeout).front();
        TcpListener listener(loopback);
        std::unique_ptr<TcpStream> client = TcpStream::Connect(listener.Address(), SocketRole::Data, kProbeTimeout);
        std::unique_ptr<TcpStream> accepted = listener.Accept(loopback, kProbeTimeout);
        return Kill(client->LocalAddress().Port(), listener.Address().Port());
    } catch (const CInternetException&) {
        return false;
    }
}

}  // namespace

bool CanKillConnections()
{
    static const bool can = ProbeKill();
    return can;
}

int KillConnectionsExcept(std::uint16_t keepPort)
{
    const std::set<std::string> own = OwnSocketInodes();
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);   // the header
    int killed = 0;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout, inode;
        fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >> timeout >> inode;
        if (!own.count(inode) || (state != kEstablished && state != kCloseWait) || remote.rfind(kLoopbackHex, 0) != 0)
            continue;
        const unsigned long localPort = std::stoul(local.substr(local.find(':') + 1), nullptr, 16);
        const unsigned long remotePort = std::stoul(remote.substr(remote.find(':') + 1), nullptr, 16);
        if (remotePort != keepPort && Kill(localPort, remotePort))
            ++killed;
    }
    return killed;
}

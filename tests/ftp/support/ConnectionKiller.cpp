#include "ftp/support/ConnectionKiller.h"

#include "ftp/support/ChildProcess.h"

#include <unistd.h>

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

}  // namespace

bool CanKillConnections()
{
    return ::geteuid() == 0 && fs::exists(kSs);
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
        if (remotePort == keepPort)
            continue;
        const CommandResult result = RunCommand({kSs, "-K", "-t", "src", "127.0.0.1:" + std::to_string(localPort),
                                                 "dst", "127.0.0.1:" + std::to_string(remotePort)});
        if (result.exitCode == 0)
            ++killed;
    }
    return killed;
}

#pragma once
// The peers the tree benchmarks measure against, each copying a whole tree in one process on
// one loopback server: curl (a config file of one upload or download per file, one connection
// reused for all) and lftp's mirror. Each throws std::runtime_error with what the peer said when
// it fails.

#include "ftp/support/ChildProcess.h"
#include "ftp/support/FtpTestServer.h"
#include "support/SampleTree.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace peers {

inline constexpr const char* kCurl = "/usr/bin/curl";
inline constexpr const char* kLftp = "/usr/bin/lftp";
inline constexpr auto kPeerTimeout = std::chrono::minutes(20);

inline void Run(const std::vector<std::string>& argv)
{
    const CommandResult result = RunCommand(argv, {}, kPeerTimeout);
    if (result.exitCode != 0)
        throw std::runtime_error(argv.front() + " failed (" + std::to_string(result.exitCode) + "): " + result.err +
                                 result.out);
}

// The URL of `path` on the server, its bytes percent-encoded where a URL needs it.
inline std::string Url(const FtpTestServer& server, const std::string& path)
{
    std::string encoded;
    for (unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-._~", c)) {
            encoded += static_cast<char>(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        }
    }
    return "ftp://" + server.User() + ":" + server.Password() + "@127.0.0.1:" + std::to_string(server.Port()) + encoded;
}

// A curl config value: quoted, with the quote and backslash escaped.
inline std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// One curl process: every file of `tree` from `local` to the remote folder `remote`, made with
// its folders (--ftp-create-dirs); curl makes no empty folders.
inline void CurlUpload(const SampleTree& tree, const std::filesystem::path& local, const FtpTestServer& server,
                       const std::string& remote, const std::filesystem::path& configFile)
{
    {
        std::ofstream config(configFile);
        for (const auto& file : tree.files)
            config << "upload-file = " << Quoted((local / file.first).string()) << "\nurl = "
                   << Quoted(Url(server, remote + "/" + file.first)) << "\n";
    }
    Run({kCurl, "-s", "-S", "--ftp-pasv", "--ftp-create-dirs", "-K", configFile.string()});
}

// One curl process: every file of `tree` from the remote folder `remote` to `local`.
inline void CurlDownload(const SampleTree& tree, const FtpTestServer& server, const std::string& remote,
                         const std::filesystem::path& local, const std::filesystem::path& configFile)
{
    {
        std::ofstream config(configFile);
        for (const auto& file : tree.files)
            config << "url = " << Quoted(Url(server, remote + "/" + file.first)) << "\noutput = "
                   << Quoted((local / file.first).string()) << "\n";
    }
    Run({kCurl, "-s", "-S", "--ftp-pasv", "--create-dirs", "-K", configFile.string()});
}

// lftp's mirror of `from` to `to` (with `reverse`, the local folder `from` to the remote `to`).
inline void LftpMirror(const FtpTestServer& server, const std::string& from, const std::string& to, bool reverse)
{
    const std::string script = "set ftp:passive-mode true; set net:max-retries 1; set net:timeout 30; "
                               "set cmd:fail-exit true; open -u " + server.User() + "," + server.Password() +
                               " -p " + std::to_string(server.Port()) + " 127.0.0.1; mirror " +
                               (reverse ? "-R " : "") + "'" + from + "' '" + to + "'";
    Run({kLftp, "-c", script});
}

}  // namespace peers

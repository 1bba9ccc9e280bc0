#include "ftp/support/FtpTestServer.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

fs::path FtpTestServer::WriteFile(const std::string& relative, const std::string& content) const
{
    fs::path parent = fs::path(relative).parent_path();
    if (!parent.empty())
        MakeDir(parent.string());
    fs::path file = m_root.WriteFile(relative, content);
    HandOver(file);
    return file;
}

fs::path FtpTestServer::MakeDir(const std::string& relative) const
{
    // Every folder on the way belongs to the server's account, so that it may write in each.
    fs::path dir = Root();
    for (const auto& part : fs::path(relative)) {
        dir /= part;
        if (!fs::exists(dir)) {
            fs::create_directory(dir);
            fs::permissions(dir, fs::perms(0755));
            HandOver(dir);
        }
    }
    return dir;
}

fs::path FtpTestServer::MakeSymlink(const std::string& relative, const std::string& target) const
{
    fs::path link = Root() / relative;
    fs::create_symlink(target, link);
    return link;
}

std::string FtpTestServer::ReadFile(const std::string& relative) const
{
    std::ifstream in(Root() / relative, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + (Root() / relative).string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FtpTestServer::Exists(const std::string& relative) const
{
    std::error_code ignored;
    return fs::exists(fs::symlink_status(Root() / relative, ignored));
}

int FtpTestServer::CountLines(const std::string& log, const std::string& needle)
{
    std::istringstream lines(log);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        count += line.find(needle) != std::string::npos;
    return count;
}

#include "ftp/support/VsftpdServer.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* kVsftpd = "/usr/sbin/vsftpd";
constexpr int kPassivePorts = 20;
constexpr auto kStartTimeout = std::chrono::seconds(10);

} // namespace

VsftpdServer::VsftpdServer(const VsftpdSetup& setup) : m_account(EnsureTestAccount())
{
    if (access(kVsftpd, X_OK) != 0)
        throw std::runtime_error("vsftpd is not installed (scripts/setup installs it)");
    m_user = m_account.name;
    m_password = m_account.password;
    HandOver(Root());
    fs::path emptyDir = m_work.MakeDir("empty");
    m_port = FreeLoopbackPort();
    m_passive = FreeLoopbackPortRange(kPassivePorts);

    fs::path config = m_work.Path() / "vsftpd.conf";
    {
        std::ofstream out(config);
        if (setup.address.find(':') != std::string::npos)
            out << "listen=NO\nlisten_ipv6=YES\nlisten_address6=" << setup.address << "\n";
        else
            out << "listen=YES\nlisten_ipv6=NO\nlisten_address=" << setup.address << "\n";
        out << "listen_port=" << m_port << "\n"
            << "background=NO\n"
            << "anonymous_enable=NO\nlocal_enable=YES\nwrite_enable=YES\n"
            // A test that is not root cannot write in what the server's account made unless
            // the server leaves it open to all.
            << "local_umask=" << (geteuid() == 0 ? "022" : "000") << "\n"
            << "local_root=" << Root().string() << "\n"
            << "chroot_local_user=YES\nallow_writeable_chroot=YES\n"
            << "pam_service_name=" << m_account.pamService << "\n"
            << "userlist_enable=NO\n"
            << "pasv_enable=YES\n"
            << "pasv_min_port=" << m_passive.first << "\npasv_max_port=" << m_passive.last << "\n"
            << "port_enable=YES\nconnect_from_port_20=NO\n"
            // vsftpd sends ASCII files as they are on disk unless told to convert.
            << "ascii_upload_enable=YES\nascii_download_enable=YES\n"
            << "secure_chroot_dir=" << emptyDir.string() << "\n"
            << "seccomp_sandbox=NO\nisolate=NO\nisolate_network=NO\n"
            << "utf8_filesystem=YES\n"
            << "dirmessage_enable=NO\nsyslog_enable=NO\n"
            << "xferlog_enable=YES\nxferlog_std_format=NO\nlog_ftp_protocol=YES\n"
            << "vsftpd_log_file=" << (m_work.Path() / "vsftpd.log").string() << "\n"
            << "max_clients=0\nmax_per_ip=0\n"
            // The tests try wrong passwords on purpose; waiting after each only slows them.
            << "delay_failed_login=0\n"
            << setup.extraConfig;
        if (!out)
            throw std::runtime_error("cannot write the vsftpd config");
    }

    // vsftpd creates its log readable by its owner only, and runs as root: made here first,
    // the file stays the test's to read when the test itself is not root.
    std::ofstream(m_work.Path() / "vsftpd.log").flush();
    fs::permissions(m_work.Path() / "vsftpd.log", fs::perms(0644));

    std::vector<std::string> argv = RootCommandPrefix();
    if (argv.empty()) {
        argv = {kVsftpd, config.string()};
    } else {
        // vsftpd reads only a config owned by the user it runs as.
        argv.insert(argv.end(), {"/bin/sh", "-c", "chown 0:0 \"$0\" && exec " + std::string(kVsftpd) + " \"$0\"",
                                 config.string()});
    }
    m_process = std::make_unique<ChildProcess>(argv, m_work.Path() / "stderr.txt", false);
    if (!WaitUntilAccepting(setup.address, m_port, kStartTimeout) || !m_process->Running())
        throw std::runtime_error("vsftpd did not start on " + setup.address + ":" + std::to_string(m_port) + ": " +
                                 m_process->StderrText());
}

VsftpdServer::~VsftpdServer()
{
    m_process.reset();
}

void VsftpdServer::HandOver(const fs::path& path) const
{
    if (geteuid() == 0) {
        if (lchown(path.c_str(), m_account.uid, m_account.gid) != 0)
            throw std::runtime_error("cannot give " + path.string() + " to the test account");
        return;
    }
    // Without root the test cannot chown; letting everyone write serves as well.
    fs::permissions(path, fs::is_directory(path) ? fs::perms::all : fs::perms(0666));
}

std::string VsftpdServer::LogText() const
{
    std::ifstream in(m_work.Path() / "vsftpd.log", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int VsftpdServer::CountCommands(const std::string& verb, const std::string& path) const
{
    // FTP command: Client "127.0.0.1", "MKD /dir/name"
    return CountLines(LogText(), "\"" + verb + " " + path + "\"");
}

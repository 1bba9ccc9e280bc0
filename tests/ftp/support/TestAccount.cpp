#include "ftp/support/TestAccount.h"

#include "ftp/support/ChildProcess.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

constexpr const char* kAccountName = "ferrixtest";
constexpr const char* kAccountPassword = "ferrix-Test-9";
constexpr const char* kLockFile = "/tmp/ferrix-test-account.lock";
constexpr const char* kSudo = "/usr/bin/sudo";

// A PAM service of the tests' own. Debian's "vsftpd" service demands a login shell listed in
// /etc/shells (pam_shells); the test account has none on purpose, so that its well-known
// password opens nothing but these servers. This service admits that one account only, and
// answers a wrong password at once (nodelay), as the tests try many.
constexpr const char* kPamService = "ferrix-test-ftp";
constexpr const char* kPamText =
    "# Ferrix FTP tests: the vsftpd servers the test suite starts log in its account here.\n"
    "auth     required pam_succeed_if.so quiet user = ferrixtest\n"
    "auth     required pam_unix.so nodelay\n"
    "account  required pam_succeed_if.so quiet user = ferrixtest\n"
    "account  required pam_unix.so\n"
    "session  required pam_permit.so\n";

class FileLock {
public:
    explicit FileLock(const char* path) : m_fd(open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666))
    {
        if (m_fd < 0 || flock(m_fd, LOCK_EX) != 0)
            throw std::runtime_error(std::string("cannot lock ") + path);
    }
    ~FileLock() { close(m_fd); }   // closing releases the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int m_fd;
};

void RunAsRoot(std::vector<std::string> argv, const std::string& input = {})
{
    auto command = RootCommandPrefix();
    command.insert(command.end(), argv.begin(), argv.end());
    CommandResult result = RunCommand(command, input);
    if (result.exitCode != 0)
        throw std::runtime_error("test account set-up: " + argv.at(0) + " failed: " + result.err);
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::vector<std::string> RootCommandPrefix()
{
    if (geteuid() == 0)
        return {};
    if (access(kSudo, X_OK) == 0 && RunCommand({kSudo, "-n", "/bin/true"}).exitCode == 0)
        return {kSudo, "-n"};
    throw std::runtime_error(
        "vsftpd must run as root: run the FTP tests as root, or allow this user `sudo -n` "
        "without a password");
}

TestAccount EnsureTestAccount()
{
    FileLock lock(kLockFile);
    // vsftpd enters the account's home before its local_root, so the home must exist; "/" does
    // and holds nothing of the account's.
    const passwd* existing = getpwnam(kAccountName);
    if (!existing)
        RunAsRoot({"/usr/sbin/useradd", "--system", "-M", "-d", "/", "-s", "/usr/sbin/nologin", kAccountName});
    else if (std::string(existing->pw_dir) != "/")
        RunAsRoot({"/usr/sbin/usermod", "-d", "/", kAccountName});
    // A cheap hash: the password is public anyway, and every login of every test pays for it.
    RunAsRoot({"/usr/sbin/chpasswd", "-c", "SHA512", "-s", "1000"},
              std::string(kAccountName) + ":" + kAccountPassword + "\n");

    const std::string pamPath = std::string("/etc/pam.d/") + kPamService;
    if (FileText(pamPath) != kPamText) {
        const std::string staged = pamPath + ".new";
        RunAsRoot({"/bin/sh", "-c", "cat > \"$0\" && chmod 644 \"$0\" && mv -f \"$0\" \"$1\"", staged, pamPath},
                  kPamText);
    }

    const passwd* entry = getpwnam(kAccountName);
    if (!entry)
        throw std::runtime_error("test account set-up: the account is still missing");
    return {kAccountName, kAccountPassword, entry->pw_uid, entry->pw_gid, kPamService};
}

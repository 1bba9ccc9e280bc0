#include "ftp/support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

constexpr auto kStopGrace = std::chrono::seconds(3);
constexpr auto kReapPoll = std::chrono::milliseconds(10);

using Clock = std::chrono::steady_clock;

std::vector<char*> ArgvPointers(const std::vector<std::string>& argv)
{
    std::vector<char*> pointers;
    for (const auto& arg : argv)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

void MakePipe(int fds[2])
{
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
}

// In the child after fork: only async-signal-safe calls until exec.
[[noreturn]] void ExecChild(char* const* argv, int in, int out, int err)
{
    // A test that dies must not leave its servers behind.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execv(argv[0], argv);
    _exit(127);
}

// Waits for `pid` until `deadline`; returns its exit code, or nothing if still running.
std::optional<int> ReapUntil(pid_t pid, Clock::time_point deadline)
{
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (done < 0)
            return -1;
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(kReapPoll);
    }
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& stderrFile,
                           bool captureStdout)
    : m_stderrFile(stderrFile)
{
    auto pointers = ArgvPointers(argv);
    int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    int err = open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (devNull < 0 || err < 0)
        throw std::runtime_error("cannot open the output files for " + argv.at(0));
    int out[2] = {-1, -1};
    if (captureStdout)
        MakePipe(out);
    m_pid = fork();
    if (m_pid == 0) {
        // A server lives on after the test that started it, and some (pyftpdlib) ask for their
        // working folder: never leave them in a test's temporary folder, gone once it ends.
        if (chdir("/") != 0)
            _exit(127);
        ExecChild(pointers.data(), devNull, captureStdout ? out[1] : err, err);
    }
    close(devNull);
    close(err);
    if (captureStdout) {
        close(out[1]);
        m_stdout = out[0];
    }
    if (m_pid < 0)
        throw std::runtime_error("cannot start " + argv.at(0));
}

ChildProcess::~ChildProcess()
{
    Stop();
}

bool ChildProcess::Running()
{
    if (m_pid <= 0)
        return false;
    if (ReapUntil(m_pid, Clock::now())) {
        m_pid = -1;
        return false;
    }
    return true;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        auto eol = m_buffered.find('\n');
        if (eol != std::string::npos) {
            std::string line = m_buffered.substr(0, eol);
            m_buffered.erase(0, eol + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (m_stdout < 0 || left.count() <= 0)
            return std::nullopt;
        pollfd pfd{m_stdout, POLLIN, 0};
        if (poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char chunk[4096];
        ssize_t got = read(m_stdout, chunk, sizeof chunk);
        if (got <= 0)
            return std::nullopt;
        m_buffered.append(chunk, static_cast<std::size_t>(got));
    }
}

void ChildProcess::Stop()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        if (!ReapUntil(m_pid, Clock::now() + kStopGrace)) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        m_pid = -1;
    }
    if (m_stdout >= 0) {
        close(m_stdout);
        m_stdout = -1;
    }
}

std::string ChildProcess::StderrText() const
{
    std::ifstream in(m_stderrFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

CommandResult RunCommand(const std::vector<std::string>& argv, const std::string& input,
                         std::chrono::milliseconds timeout)
{
    auto pointers = ArgvPointers(argv);
    int in[2], out[2], err[2];
    MakePipe(in);
    MakePipe(out);
    MakePipe(err);
    pid_t pid = fork();
    if (pid == 0)
        ExecChild(pointers.data(), in[0], out[1], err[1]);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (pid < 0)
        throw std::runtime_error("cannot start " + argv.at(0));

    CommandResult result;
    // Writing must not block when the child does not read: the pipe is polled like the others.
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    signal(SIGPIPE, SIG_IGN);
    std::size_t written = 0;
    int writeFd = in[1];
    if (input.empty()) {
        close(writeFd);
        writeFd = -1;
    }
    int outFd = out[0], errFd = err[0];
    const auto deadline = Clock::now() + timeout;
    bool timedOut = false;
    while (outFd >= 0 || errFd >= 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {writeFd, POLLOUT, 0}};
        if (poll(fds, 3, static_cast<int>(left.count())) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? outFd : errFd;
            if (fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char chunk[8192];
            ssize_t got = read(fd, chunk, sizeof chunk);
            if (got <= 0) {
                close(fd);
                fd = -1;
            } else {
                (i == 0 ? result.out : result.err).append(chunk, static_cast<std::size_t>(got));
            }
        }
        if (writeFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t put = write(writeFd, input.data() + written, input.size() - written);
            if (put > 0)
                written += static_cast<std::size_t>(put);
            if (put < 0 || written == input.size()) {
                close(writeFd);
                writeFd = -1;
            }
        }
    }
    for (int fd : {outFd, errFd, writeFd})
        if (fd >= 0)
            close(fd);
    if (timedOut) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        result.exitCode = -1;
        return result;
    }
    auto code = ReapUntil(pid, Clock::now() + timeout);
    if (!code) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    result.exitCode = code.value_or(-1);
    return result;
}

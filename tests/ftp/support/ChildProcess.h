#pragma once
// A program the tests start (an FTP server, the probe tool) and stop again by its PID.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A long-running child. Its standard output can be read line by line; its standard error goes
// to a file so that a failed start can show what the program said.
class ChildProcess {
public:
    // argv[0] is the program's path. Throws std::runtime_error when it cannot be started.
    ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& stderrFile,
                 bool captureStdout);
    ~ChildProcess();   // Stop()
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    bool Running();
    // The next line of standard output without its line break, or nothing when none arrived
    // within `timeout` or the child closed its output.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL if the child has not ended within a grace period; reaps it.
    void Stop();
    std::string StderrText() const;

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
    std::string m_buffered;
    std::filesystem::path m_stderrFile;
};

struct CommandResult {
    int exitCode = -1;   // -1 when the command did not end on its own (killed after the timeout)
    std::string out;
    std::string err;
};

// Runs a command to its end, feeding `input` on standard input, with a time limit.
CommandResult RunCommand(const std::vector<std::string>& argv, const std::string& input = {},
                         std::chrono::milliseconds timeout = std::chrono::seconds(30));

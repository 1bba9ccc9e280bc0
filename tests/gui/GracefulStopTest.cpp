// The real program, stopped by SIGTERM while its start-up Connect dialog is open, closes its
// window the normal way: it exits cleanly and has saved its state.

#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {
using namespace std::chrono_literals;
constexpr auto kStartLimit = 30s;
constexpr auto kStopLimit = 20s;

// Waits for the child to end; -1 when it did not within the limit (it is then killed).
int WaitForExit(pid_t child, std::chrono::seconds limit, int& status)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(child, &status, WNOHANG) == child)
            return 0;
        std::this_thread::sleep_for(50ms);
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return -1;
}

void RunAndStop(int signalNumber)
{
    TempDir home;
    const auto registry = home.Path() / "registry.reg";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("FERRIX_REGISTRY", registry.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home.Path() / "config").c_str(), 1);
        setenv("FERRIX_DRIVES", ("C=" + home.Str()).c_str(), 1);
        execl(FERRIX_APP_PATH, FERRIX_APP_PATH, "/Embedding", static_cast<char*>(nullptr));
        _exit(127);
    }
    // The framework key is written early in start-up; the Connect dialog follows it.
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (!std::filesystem::exists(registry) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(std::filesystem::exists(registry)) << "the program did not start";
    std::this_thread::sleep_for(1500ms);

    kill(child, signalNumber);
    int status = 0;
    ASSERT_EQ(WaitForExit(child, kStopLimit, status), 0) << "the program did not stop";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const std::string saved = ReadFileText(registry);
    EXPECT_NE(saved.find("\\CtrlBar]"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\\Setting]"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"Version\"=hex:ca,00,00,00"), std::string::npos) << saved;
}

TEST(GracefulStopTest, SigtermWhileTheConnectDialogIsOpenSavesAndExits)
{
    RunAndStop(SIGTERM);
}

TEST(GracefulStopTest, SigintDoesTheSame)
{
    RunAndStop(SIGINT);
}

} // namespace

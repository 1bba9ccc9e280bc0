// `cmake --install` into a prefix of the test's own: the files land where the freedesktop
// conventions say, and the installed program starts from there with its own resources (its
// splash picture is found beside it, not in the source tree).

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {
using namespace std::chrono_literals;
constexpr auto kStartLimit = 60s;
constexpr auto kStopLimit = 30s;
constexpr auto kPoll = 100ms;

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

// What a command prints.
std::string Output(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>/dev/null").c_str(), "r"), pclose);
    std::string text;
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()))
        text += buffer;
    return text;
}

// Whether process `pid` has a window named `name` of `size` ("520x317") on the display. Other
// tests' programs may be on the same display: the window's _NET_WM_PID tells whose it is.
bool HasWindow(pid_t pid, const std::string& name, const std::string& size)
{
    std::istringstream lines(Output("xwininfo -root -tree"));
    for (std::string line; std::getline(lines, line);) {
        if (line.find("\"" + name + "\": (") == std::string::npos || line.find(" " + size + "+") == std::string::npos)
            continue;
        std::istringstream words(line);
        std::string id;
        words >> id;
        const std::string property = Output("xprop -id " + id + " _NET_WM_PID");
        if (property.find("= " + std::to_string(pid) + "\n") != std::string::npos)
            return true;
    }
    return false;
}

TEST(InstalledProgramTest, InstallsAtTheFreedesktopPlacesAndStartsFromThere)
{
    TempDir prefix;
    TempDir home;
    const auto log = home.Path() / "install.log";
    const std::string install = Quoted(FERRIX_CMAKE_COMMAND) + " --install " + Quoted(FERRIX_BUILD_DIR) + " --prefix " +
                                Quoted(prefix.Str()) + " > " + Quoted(log.string()) + " 2>&1";
    ASSERT_EQ(std::system(install.c_str()), 0) << ReadFileText(log);

    const auto program = prefix.Path() / "bin/ferrix-ftp";
    for (const char* file : {"bin/ferrix-ftp", "share/applications/ferrix-ftp.desktop",
                             "share/icons/hicolor/16x16/apps/ferrix-ftp.png", "share/icons/hicolor/48x48/apps/ferrix-ftp.png",
                             "share/icons/hicolor/256x256/apps/ferrix-ftp.png", "share/ferrix-ftp/images/splash.png",
                             "share/ferrix-ftp/images/icon-32.png", "share/ferrix-ftp/help/ferrix-ftp.hhp"})
        EXPECT_TRUE(std::filesystem::is_regular_file(prefix.Path() / file)) << file;
    EXPECT_EQ(access(program.c_str(), X_OK), 0);

    const std::string desktop = ReadFileText(prefix.Path() / "share/applications/ferrix-ftp.desktop");
    for (const char* line : {"[Desktop Entry]\n", "\nType=Application\n", "\nName=Ferrix FTP\n", "\nExec=ferrix-ftp\n",
                             "\nIcon=ferrix-ftp\n", "\nCategories=Network;FileTransfer;\n"})
        EXPECT_NE(desktop.find(line), std::string::npos) << line;

    // Every page the help book lists is installed with it.
    const auto helpFolder = prefix.Path() / "share/ferrix-ftp/help";
    std::istringstream book(ReadFileText(helpFolder / "ferrix-ftp.hhp"));
    int pages = 0;
    bool inFiles = false;
    for (std::string line; std::getline(book, line);) {
        if (line.starts_with("["))
            inFiles = line == "[FILES]";
        else if (inFiles && !line.empty()) {
            ++pages;
            EXPECT_TRUE(std::filesystem::is_regular_file(helpFolder / line)) << line;
        }
    }
    EXPECT_GE(pages, 6);

    // Started without switches, the installed program shows its splash over its main window.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("FERRIX_REGISTRY", (home.Path() / "registry.reg").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home.Path() / "config").c_str(), 1);
        setenv("HOME", home.Path().c_str(), 1);
        setenv("FERRIX_DRIVES", ("C=" + home.Str()).c_str(), 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    bool splash = false;
    int status = 0;
    bool exited = false;
    for (auto waited = 0ms; waited < kStartLimit && !splash && !exited; waited += kPoll) {
        std::this_thread::sleep_for(kPoll);
        splash = HasWindow(child, "Ferrix FTP", "520x317");
        exited = waitpid(child, &status, WNOHANG) == child;
    }
    ASSERT_FALSE(exited) << "the installed program ended at start";
    EXPECT_TRUE(splash) << Output("xwininfo -root -tree");

    kill(child, SIGTERM);
    for (auto waited = 0ms; waited < kStopLimit && !exited; waited += kPoll) {
        std::this_thread::sleep_for(kPoll);
        exited = waitpid(child, &status, WNOHANG) == child;
    }
    if (!exited) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the installed program did not stop";
    }
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace

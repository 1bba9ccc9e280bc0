#pragma once
// Support for the GUI tests: each test executable starts wxWidgets once, with the real
// application class, and runs its cases inside it. The program's start-up runs only when a
// test asks for it (StartApplication), on a registry file and drives of the test's own.

#include <functional>
#include <string>
#include <vector>

class CNorvoApp;
class CMainFrame;
class wxDialog;
class wxWindow;

// Dispatches pending events and runs idle processing until nothing is left (or a bound of
// rounds is reached, for windows that keep asking for idle time).
void PumpEvents();

CNorvoApp& TheApp();

// Runs the program's start-up (OnInit) and returns the main frame. Modal dialogs opened during
// it are answered by the current dialog answerer (by default: cancelled).
CMainFrame& StartApplication();
// Closes the main window the normal way and runs the exit processing, as at the end of a run.
void StopApplication();
bool ApplicationRunning();

// The command-line switches of the runs started while the object lives ({"/Embedding"}).
// Without one, runs start with "/Automation", which keeps the splash window away.
class ScopedCommandLine {
public:
    explicit ScopedCommandLine(std::vector<std::string> switches);
    ~ScopedCommandLine();
    ScopedCommandLine(const ScopedCommandLine&) = delete;
    ScopedCommandLine& operator=(const ScopedCommandLine&) = delete;

private:
    std::vector<std::string> m_previous;
};

// Answers modal dialogs while the object lives: the function gets the dialog and returns the
// code ShowModal should return without showing it (wxID_NONE: show it for real). Without any
// answerer installed, every modal dialog is cancelled.
class ScopedDialogAnswerer {
public:
    explicit ScopedDialogAnswerer(std::function<int(wxDialog*)> answer);
    ~ScopedDialogAnswerer();
    ScopedDialogAnswerer(const ScopedDialogAnswerer&) = delete;
    ScopedDialogAnswerer& operator=(const ScopedDialogAnswerer&) = delete;

private:
    std::function<int(wxDialog*)> m_previous;
};

// How many modal dialogs have been answered by the test support so far, by class name.
int AnsweredDialogCount(const std::string& className);

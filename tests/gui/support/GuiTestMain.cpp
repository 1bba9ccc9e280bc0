// main() of every GUI test executable.

#include "support/GuiTest.h"

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "platform/registry/Registry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <map>
#include <string>
#include <vector>
#include <memory>

namespace {
constexpr int kMaxPumpRounds = 200;

std::vector<std::string>& CommandLine();

// Asserts in wxWidgets open a modal dialog by default, which would hang a headless run.
class GuiTestApp : public CNorvoApp {
public:
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                         const wxChar* msg) override
    {
        ADD_FAILURE() << "wxWidgets assertion: " << wxString(cond) << " " << wxString(msg) << " at "
                      << wxString(file) << ":" << line << " in " << wxString(func);
    }
    // Start-up runs when a test asks for it.
    bool OnInit() override { return true; }
    bool RunStartUp()
    {
        // A new run starts from nothing but what the registry holds.
        static_cast<ProfileState&>(*this) = ProfileState();
        CloseRegions();
        currentRegion = 0;
        std::vector<std::string> words{"ferrix-ftp"};
        words.insert(words.end(), CommandLine().begin(), CommandLine().end());
        std::vector<char*> pointers;
        for (std::string& word : words)
            pointers.push_back(word.data());
        pointers.push_back(nullptr);
        argc = static_cast<int>(words.size());
        argv.Init(argc, pointers.data());
        return CNorvoApp::OnInit();
    }
};

// Tests that are not about the splash start as automation does: without one.
std::vector<std::string>& CommandLine()
{
    static std::vector<std::string> switches{"/Automation"};
    return switches;
}

std::function<int(wxDialog*)>& CurrentAnswer()
{
    static std::function<int(wxDialog*)> answer;
    return answer;
}

std::map<std::string, int>& AnsweredCounts()
{
    static std::map<std::string, int> counts;
    return counts;
}

class TestDialogHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        int result = wxID_CANCEL;
        if (auto& answer = CurrentAnswer())
            result = answer(dialog);
        if (result != wxID_NONE)
            ++AnsweredCounts()[dialog->GetClassInfo() ? std::string(wxString(dialog->GetClassInfo()->GetClassName()).utf8_string()) : std::string()];
        return result;
    }
    void Exit(wxDialog*) override {}
};

bool g_running = false;
} // namespace

void PumpEvents()
{
    for (int round = 0; round < kMaxPumpRounds; ++round) {
        wxTheApp->Yield(true);
        if (!wxTheApp->ProcessIdle() && !wxTheApp->Pending())
            break;
    }
}

ScopedCommandLine::ScopedCommandLine(std::vector<std::string> switches) : m_previous(std::move(CommandLine()))
{
    CommandLine() = std::move(switches);
}

ScopedCommandLine::~ScopedCommandLine()
{
    CommandLine() = std::move(m_previous);
}

CNorvoApp& TheApp()
{
    return wxGetApp();
}

CMainFrame& StartApplication()
{
    RegistryReload();
    auto& app = static_cast<GuiTestApp&>(wxGetApp());
    EXPECT_TRUE(app.RunStartUp());
    g_running = true;
    PumpEvents();
    return *app.GetMainFrame();
}

void StopApplication()
{
    if (!g_running)
        return;
    CNorvoApp& app = TheApp();
    if (CMainFrame* frame = app.GetMainFrame())
        frame->Close(true);
    PumpEvents();
    app.OnExit();
    g_running = false;
}

bool ApplicationRunning()
{
    return g_running;
}

ScopedDialogAnswerer::ScopedDialogAnswerer(std::function<int(wxDialog*)> answer) : m_previous(std::move(CurrentAnswer()))
{
    CurrentAnswer() = std::move(answer);
}

ScopedDialogAnswerer::~ScopedDialogAnswerer()
{
    CurrentAnswer() = std::move(m_previous);
}

int AnsweredDialogCount(const std::string& className)
{
    auto it = AnsweredCounts().find(className);
    return it == AnsweredCounts().end() ? 0 : it->second;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Each executable has a registry file of its own, so executables running side by side
    // never share one, and nothing reaches the user's.
    TempDir home;
    ScopedEnv registry("FERRIX_REGISTRY", (home.Path() / "registry.reg").string());
    ScopedEnv config("XDG_CONFIG_HOME", (home.Path() / "config").string());

    wxApp::SetInstance(new GuiTestApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "cannot initialise wxWidgets (is there a display?)\n");
        return 1;
    }
    TestDialogHook hook;
    hook.Register();
    const int result = RUN_ALL_TESTS();
    StopApplication();
    hook.Unregister();
    wxEntryCleanup();
    return result;
}

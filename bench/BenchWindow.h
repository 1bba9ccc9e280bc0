#pragma once
// The window the benchmarks of the panes measure in: one tree beside its file list in a frame,
// wired to each other as the main window wires a region.

#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "browser/PaneHost.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>

class BenchWindow : public IPaneHost {
public:
    BenchWindow()
    {
        frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1000, 700));
        tree = new CBrowserView(frame);
        list = new FileView(frame);
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        sizer->Add(tree, 1, wxEXPAND);
        sizer->Add(list, 1, wxEXPAND);
        frame->SetSizer(sizer);
        tree->m_pFileView = list;
        tree->m_pHost = this;
        list->m_pTree = tree;
        list->m_pHost = this;
        frame->Show();
        wxTheApp->Yield(true);
    }
    ~BenchWindow() override
    {
        frame->Destroy();
        wxTheApp->Yield(true);
    }
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    void SetActiveView(wxWindow* view) override { m_active = view; }
    wxWindow* GetActiveView() const override { return m_active; }
    void ShowContextMenu(const wxPoint&) override {}
    int GetArrangeBy() const override { return 0; }
    void ApplyArrange(int) override {}

    wxFrame* frame = nullptr;   // top-level windows: wxWidgets destroys them
    CBrowserView* tree = nullptr;
    FileView* list = nullptr;

private:
    wxWindow* m_active = nullptr;
};

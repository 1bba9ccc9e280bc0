#include "app/AboutDlg.h"

#include "app/AboutText.h"
#include "app/ProgramIcons.h"
#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/DriveMap.h"
#include "platform/system/SystemStatus.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {
constexpr int kIconSize = 32;
const char* const kPublisherLines[] = {
    "Published by Ferrix Software",
    "Copyright (C) 2026 Ferrix Software",
    "Help Topics on the Help menu explain every command",
};

std::optional<DiskFreeSpace> CurrentDriveSpace(char letter)
{
    if (letter == '\0')
        return std::nullopt;
    const std::optional<std::string> folder = localfs::DriveFolder(letter);
    if (!folder)
        return std::nullopt;
    return GetDiskFreeSpace(*folder);
}
} // namespace

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "About Ferrix FTP")
{
    auto* lines = new wxBoxSizer(wxVERTICAL);
    // The template's placeholder texts; TransferDataToWindow puts the real ones in.
    lines->Add(new wxStaticText(this, IDC_VERSION, "Ferrix FTP Version"), 0, wxBOTTOM, FromDIP(10));
    for (const char* text : kPublisherLines)
        lines->Add(new wxStaticText(this, wxID_ANY, text), 0, wxBOTTOM, FromDIP(6));
    lines->AddSpacer(FromDIP(4));
    lines->Add(new wxStaticText(this, IDC_MEMORY, "Free memory"), 0, wxBOTTOM, FromDIP(6));
    lines->Add(new wxStaticText(this, IDC_DISK, "Free disk space"));

    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(this, wxID_ANY, ProgramIconBitmap(FromDIP(kIconSize))), 0, wxALL, FromDIP(12));
    row->Add(lines, 1, wxTOP | wxBOTTOM | wxRIGHT, FromDIP(12));
    row->Add(ok, 0, wxALL, FromDIP(12));
    SetSizerAndFit(row);
    CentreOnParent();
}

bool CAboutDlg::TransferDataToWindow()
{
    SetLine(IDC_VERSION, AboutVersionLine());
    SetLine(IDC_MEMORY, AboutMemoryLine(GetAvailablePhysicalMemory()));
    const char drive = localfs::GetCurrentDrive();
    SetLine(IDC_DISK, AboutDiskLine(drive, CurrentDriveSpace(drive)));
    // The lines may have grown past the placeholders.
    GetSizer()->SetSizeHints(this);
    return wxDialog::TransferDataToWindow();
}

void CAboutDlg::SetLine(int id, const std::string& text)
{
    if (auto* line = dynamic_cast<wxStaticText*>(FindWindow(id)))
        line->SetLabel(wxString::FromUTF8(text));
}

void RunAboutBox(wxWindow* parent)
{
    CAboutDlg dialog(parent);
    dialog.ShowModal();
}

#include "res/ResourceFiles.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <string_view>
#include <vector>

namespace {
// The source tree's res/ serves only programs in the build tree, so that an installed program
// never reads files of a build tree that happens to be still there, and a faulty installation
// shows as one.
bool RunsFromBuildTree(const wxString& programFolder)
{
    const std::string folder = programFolder.utf8_string() + "/";
    const std::string buildTree = std::string(FERRIX_BUILD_TREE) + "/";
    return std::string_view(folder).starts_with(buildTree);
}
} // namespace

std::string FindResourceFile(const std::string& relative)
{
    wxFileName program(wxStandardPaths::Get().GetExecutablePath());
    program.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
    const wxString programFolder = program.GetPath();
    std::vector<wxString> folders{programFolder + "/" + FERRIX_DATA_FROM_PROGRAM};
    if (RunsFromBuildTree(programFolder))
        folders.push_back(FERRIX_SOURCE_RESOURCES);
    for (const wxString& folder : folders) {
        wxFileName file(folder + "/" + wxString::FromUTF8(relative));
        file.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
        if (file.FileExists())
            return file.GetFullPath().utf8_string();
    }
    return {};
}

#include "res/ResourceFiles.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <array>

std::string FindResourceFile(const std::string& relative)
{
    // The installed layout first, so that an installed program never reads the files of a
    // build tree that happens to be still there.
    const wxString programFolder = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    const std::array<wxString, 2> folders{programFolder + "/" + FERRIX_DATA_FROM_PROGRAM, FERRIX_SOURCE_RESOURCES};
    for (const wxString& folder : folders) {
        wxFileName file(folder + "/" + wxString::FromUTF8(relative));
        file.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
        if (file.FileExists())
            return file.GetFullPath().utf8_string();
    }
    return {};
}

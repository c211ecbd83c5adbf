// Where the help page that ships with the program lies.
#include "app/HelpPage.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#ifndef SITEQUILL_SOURCE_DIR
#define SITEQUILL_SOURCE_DIR "."
#endif

namespace app {

std::string HelpPagePath() {
    wxFileName installed(wxStandardPaths::Get().GetExecutablePath());
    installed.RemoveLastDir();
    installed.AppendDir("share");
    installed.AppendDir("sitequill");
    installed.AppendDir("help");
    installed.SetFullName("index.html");
    installed.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
    if (installed.FileExists())
        return installed.GetFullPath().utf8_string();
    return std::string(SITEQUILL_SOURCE_DIR) + "/res/help/index.html";
}

}  // namespace app

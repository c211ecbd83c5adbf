// Prints the help page that app::HelpPagePath() finds from this executable's location. The
// package test runs a copy of it beside the installed program.
#include <wx/init.h>

#include <cstdio>

#include "app/HelpPage.h"

int main(int argc, char** argv) {
    wxInitializer wx(argc, argv);
    if (!wx.IsOk())
        return 1;
    std::puts(app::HelpPagePath().c_str());
    return 0;
}

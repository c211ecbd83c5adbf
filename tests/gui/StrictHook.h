// wxWidgets' dialog testing with a hook whose failures end the program at once: a dialog that no
// expectation matches would otherwise open for real and wait for a user who never comes.
// Include this instead of <wx/testing.h>.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace sqgui {
class StrictHook;
}  // namespace sqgui
#define wxTEST_DIALOG_HOOK_CLASS sqgui::StrictHook
#include <wx/testing.h>

namespace sqgui {

class StrictHook : public wxTestingModalHook {
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    void ReportFailure(const wxString& failure) override {
        std::fprintf(stderr, "modal dialog expectation failed: %s\n",
                     static_cast<const char*>(failure.utf8_str()));
        std::fflush(stderr);
        std::abort();
    }
};

}  // namespace sqgui

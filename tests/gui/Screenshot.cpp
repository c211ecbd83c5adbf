// Writes a picture of the main window at start-up to a PNG file (run under Xvfb by
// scripts/screenshot), with a small sample catalogue in a scratch working folder.
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/SitequillApp.h"
#include "platform/wx/WxDialog.h"
#include "ui/SitequillDlg.h"

wxIMPLEMENT_APP_NO_MAIN(CSitequillApp);

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [WORKDIR]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[1]);
    if (argc > 2)
        std::filesystem::current_path(argv[2]);
    wxApp::SetInstance(new CSitequillApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    wxInitAllImageHandlers();
    int rc = 1;
    {
        CSitequillDlg dlg;
        auto* window = new platform::wx::WxDialog(dlg, nullptr);
        window->Start();
        window->Move(0, 0);
        for (int i = 0; i < 40; ++i) {
            wxYield();
            wxMilliSleep(25);
        }
        const wxRect rect(window->ClientToScreen(wxPoint(0, 0)), window->GetClientSize());
        wxBitmap bitmap(rect.GetSize());
        {
            wxMemoryDC mem(bitmap);
            wxScreenDC screen;
            mem.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
        }
        if (bitmap.ConvertToImage().SaveFile(out.string(), wxBITMAP_TYPE_PNG))
            rc = 0;
        window->EndDialog(platform::IDCANCEL);
        window->Finish();
        wxYield();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}

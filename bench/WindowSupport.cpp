// The real window for the benchmarks.
#include "WindowSupport.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>

#include "app/SitequillApp.h"
#include "platform/wx/WxDialog.h"
#include "platform/wx/WxListCtrl.h"
#include "tests/gui/StrictHook.h"
#include "ui/SitequillDlg.h"

wxIMPLEMENT_APP_NO_MAIN(CSitequillApp);

namespace sqbench {

namespace {

/// Lets the toolkit deliver and paint what is pending.
void Settle() {
    for (int i = 0; i < 3; ++i)
        wxTheApp->Yield(true);
}

}  // namespace

bool StartWindowToolkit(int argc, char** argv) {
    wxApp::SetInstance(new CSitequillApp);
    return wxEntryStart(argc, argv) && wxTheApp->CallOnInit();
}

void StopWindowToolkit() {
    wxTheApp->OnExit();
    wxEntryCleanup();
}

struct BenchWindow::Impl {
    platform::wx::WxDialog* window = nullptr;
    bool closed = false;
};

BenchWindow::BenchWindow(CSitequillDlg& dlg) : m_impl(std::make_unique<Impl>()) {
    m_impl->window = new platform::wx::WxDialog(dlg, nullptr);
    // No document viewer starts during a benchmark.
    platform::wx::WxDialog::ShellOpenSeam() = [](const std::string&, int) {};
}

BenchWindow::~BenchWindow() {
    if (!m_impl->closed)
        Close();
}

void BenchWindow::Open() {
    m_impl->window->Start();
    m_impl->window->Update();
    Settle();
}

void BenchWindow::Close() {
    m_impl->closed = true;
    m_impl->window->EndDialog(platform::IDCANCEL);
    m_impl->window->Finish();
    Settle();
}

void BenchWindow::ClickAnsweringNo(int buttonId) {
    wxTEST_DIALOG(m_impl->window->Deliver(platform::Message::Command(buttonId)),
                  wxExpectModal<wxMessageDialog>(wxID_NO));
    Settle();
}

int BenchWindow::RowCount() const {
    return m_impl->window->List()->RowCount();
}

}  // namespace sqbench

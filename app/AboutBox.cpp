// CAboutBox: the About box, dialog template 100. It shows its template unchanged.
#include "app/AboutBox.h"

#include "res/Resource.h"

CAboutBox::CAboutBox() : CDialog(res::IDD_ABOUTBOX) {}

void CAboutBox::DoDataExchange(platform::CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);  // binds nothing
}

std::span<const platform::MessageMapEntry> CAboutBox::GetMessageMap() const {
    return {};  // OK and Cancel end the box through the base class
}

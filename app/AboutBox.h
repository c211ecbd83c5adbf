// CAboutBox: the About box, dialog template 100.
#pragma once

#include <span>

#include "platform/Dialog.h"

class CAboutBox : public platform::CDialog {
public:
    CAboutBox();
    ~CAboutBox() override = default;

protected:
    void DoDataExchange(platform::CDataExchange* pDX) override;
    std::span<const platform::MessageMapEntry> GetMessageMap() const override;
};

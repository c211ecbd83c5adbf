// Window test harness: the real main window in a scratch working folder, simulated input, and
// message-box expectations that fail loudly whatever the build type.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <wx/msgdlg.h>
#include <wx/uiaction.h>

#include "app/SitequillApp.h"
#include "platform/wx/WxDialog.h"
#include "tests/Fixture.h"
#include "tests/gui/StrictHook.h"
#include "ui/SitequillDlg.h"

namespace sqgui {

/// A message box with this text (LF line breaks, as shown) and caption, answered with `answer`.
class ExpectBox : public wxExpectModalBase<wxMessageDialog, ExpectBox> {
public:
    ExpectBox(std::string text, std::string caption, int answer, bool warningIcon = false)
        : m_text(std::move(text)),
          m_caption(std::move(caption)),
          m_answer(answer),
          m_warning(warningIcon) {}

protected:
    int OnInvoked(wxMessageDialog* box) const override {
        EXPECT_EQ(box->GetMessage().utf8_string(), m_text);
        EXPECT_EQ(box->GetCaption().utf8_string(), m_caption);
        EXPECT_EQ((box->GetMessageDialogStyle() & wxICON_WARNING) != 0, m_warning);
        return m_answer;
    }

private:
    std::string m_text;
    std::string m_caption;
    int m_answer;
    bool m_warning;
};

/// Lets the X server and the toolkit deliver what is pending.
void Pump(int rounds = 8);

/// Whether the parts of the program built on other branches are there yet.
bool LoaderBuilt();
bool SaverBuilt();
bool RunsBuilt();

/// Clicks the middle of a window with the simulated mouse.
void ClickWindow(wxWindow* w);

class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    /// Creates and starts the main window as the application does, without its modal loop.
    void Open();
    /// After the window ended: its destruction (which saves the catalogue).
    void FinishWindow();

    void Focus(int id);
    void TypeInto(int id, const std::string& text);
    void Key(int keyCode, int modifiers = wxMOD_NONE);
    void ClickControl(int id);
    void ClickRow(int row);
    std::string Text(int id);
    std::vector<std::string> Titles();

    sqtest::ScratchDir dir;
    CSitequillDlg dlg;
    platform::wx::WxDialog* window = nullptr;
    wxUIActionSimulator sim;
    std::vector<std::pair<std::string, int>> opened;  ///< shell requests, recorded
    bool finished = false;
};

}  // namespace sqgui

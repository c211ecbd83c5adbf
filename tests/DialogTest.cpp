// The dialog base: exchange of texts and integers, and a dispatch that survives a failing handler.
#include "platform/Dialog.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "platform/MemoryBackend.h"

using namespace platform;

namespace {

/// A dialog with one text, one integer and a handler that throws.
class ProbeDialog : public CDialog {
public:
    ProbeDialog() : CDialog(1) {}
    std::string text;
    std::int32_t number = 0;
    int handled = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, 10, number);
        DDX_Text(pDX, 11, text);
    }
    std::span<const MessageMapEntry> GetMessageMap() const override {
        static constexpr std::array map{
            MessageMapEntry{WM_COMMAND, 20, BN_CLICKED,
                            [](CDialog&, Message&) { throw std::runtime_error("disk on fire"); }},
            MessageMapEntry{WM_COMMAND, 21, BN_CLICKED,
                            [](CDialog& d, Message&) { ++static_cast<ProbeDialog&>(d).handled; }},
        };
        return map;
    }
};

TEST(DialogTest, ExchangesBothWays) {
    MemoryBackend backend;
    ProbeDialog dlg;
    dlg.SetBackend(&backend);
    dlg.text = "caf\xc3\xa9 \xff";
    dlg.number = -42;
    EXPECT_TRUE(dlg.UpdateData(false));
    EXPECT_EQ(backend.controls[10], "-42");
    EXPECT_EQ(backend.controls[11], "caf\xc3\xa9 \xff");

    backend.controls[10] = " 17 ";
    backend.controls[11] = "typed";
    EXPECT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.number, 17);
    EXPECT_EQ(dlg.text, "typed");
}

TEST(DialogTest, AnIntegerThatDoesNotParseFailsTheExchangeAndKeepsTheMember) {
    for (const char* bad : {"", "12x", "x", "99999999999", "1 2"}) {
        MemoryBackend backend;
        ProbeDialog dlg;
        dlg.SetBackend(&backend);
        dlg.number = 5;
        backend.controls[10] = bad;
        EXPECT_FALSE(dlg.UpdateData(true)) << bad;
        EXPECT_EQ(dlg.number, 5) << bad;
        EXPECT_TRUE(backend.boxes.empty());
    }
}

TEST(DialogTest, AFailingHandlerIsReportedAndTheDialogGoesOn) {
    MemoryBackend backend;
    ProbeDialog dlg;
    dlg.SetBackend(&backend);
    EXPECT_TRUE(dlg.Dispatch(Message::Command(20)));
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].text, "disk on fire");
    EXPECT_EQ(backend.boxes[0].caption, AfxGetAppName());

    EXPECT_TRUE(dlg.Dispatch(Message::Command(21)));
    EXPECT_EQ(dlg.handled, 1);
}

TEST(DialogTest, OkExchangesThenEndsAndCancelEndsWithoutExchange) {
    MemoryBackend backend;
    ProbeDialog dlg;
    dlg.SetBackend(&backend);
    backend.controls[10] = "3";
    backend.controls[11] = "kept";
    dlg.Dispatch(Message::Command(IDCANCEL));
    EXPECT_EQ(backend.endResults, std::vector<int>{IDCANCEL});
    EXPECT_EQ(dlg.text, "");

    dlg.Dispatch(Message::Command(IDOK));
    EXPECT_EQ(backend.endResults, (std::vector<int>{IDCANCEL, IDOK}));
    EXPECT_EQ(dlg.text, "kept");
}

}  // namespace

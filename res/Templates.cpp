// Dialog templates 100 (About box) and 102 (main window) as data, in dialog units.
#include "res/Templates.h"

#include <array>
#include <vector>

#include "res/Resource.h"
#include "res/Strings.h"

namespace res {

std::string ProductLine() {
    return SiteName() + " - v1.02 - Website Tester - " + Copyright();
}

std::string MainCaption() {
    return "Sitequill from " + SiteName();
}

namespace {

using K = ControlKind;
constexpr unsigned kEditStyles = kBorder | kTabStop | kAutoHScroll;

const std::vector<ControlTemplate>& AboutControls() {
    static const std::vector<ControlTemplate> controls{
        {K::Icon, kNoId, std::to_string(IDR_MAINFRAME), 11, 17, 20, 20, 0},
        {K::Static, kNoId, "Sitequill Version 1.0", 40, 10, 119, 8, kNoPrefix | kGroup},
        {K::Static, kNoId, Copyright(), 40, 25, 119, 8, kGroup},
        {K::DefPushButton, IDC_ABOUT_OK, "OK", 178, 7, 50, 14, kTabStop | kGroup},
    };
    return controls;
}

const std::vector<ControlTemplate>& MainControls() {
    static const std::vector<ControlTemplate> controls{
        {K::DefPushButton, IDC_QUIT, "Quit", 260, 7, 50, 14, kTabStop},
        {K::ListView, IDC_TEST_LIST, "", 7, 7, 163, 179,
         kReportView | kSingleSel | kBorder | kTabStop},
        {K::PushButton, IDC_HELP_BUTTON, "Help", 179, 7, 28, 14, kTabStop},
        {K::GroupBox, kNoId, "Test:", 175, 26, 135, 131, 0},
        {K::Static, kNoId, "URL:", 185, 53, 18, 8, 0},
        {K::Static, kNoId, "Title:", 185, 39, 16, 8, 0},
        {K::Static, kNoId, "Pos 1:", 185, 67, 21, 8, 0},
        {K::Static, kNoId, "Pos 2:", 185, 81, 21, 8, 0},
        {K::Static, kNoId, "Neg 1:", 185, 95, 22, 8, 0},
        {K::Static, kNoId, "Neg 2:", 185, 109, 22, 8, 0},
        {K::Edit, IDC_TITLE, "", 212, 36, 94, 14, kEditStyles},
        {K::Edit, IDC_URL, "", 212, 50, 94, 14, kEditStyles},
        {K::Edit, IDC_POS1, "", 212, 64, 94, 14, kEditStyles},
        {K::Edit, IDC_POS2, "", 212, 78, 94, 14, kEditStyles},
        {K::Edit, IDC_NEG1, "", 212, 92, 94, 14, kEditStyles},
        {K::Edit, IDC_NEG2, "", 212, 106, 94, 14, kEditStyles},
        {K::Static, kNoId, "Desc:", 185, 123, 20, 8, 0},
        {K::Edit, IDC_DESCRIPTION, "", 212, 120, 94, 14, kEditStyles},
        {K::PushButton, IDC_ADD, "Add", 191, 138, 37, 14, kTabStop},
        {K::PushButton, IDC_UPDATE, "Update", 230, 138, 37, 14, kTabStop},
        {K::PushButton, IDC_REMOVE, "Remove", 269, 138, 37, 14, kTabStop},
        {K::Edit, IDC_TEST_COUNT, "", 270, 161, 40, 14, kEditStyles | kReadOnly},
        {K::Static, IDC_PRODUCT_LINE, ProductLine(), 8, 190, 302, 8, 0},
        {K::PushButton, IDC_TEST_ONE, "Test One", 176, 161, 40, 14, kTabStop},
        {K::PushButton, IDC_TEST_ALL, "Test All", 217, 161, 40, 14, kTabStop},
        {K::Edit, IDC_STATUS, "", 270, 177, 40, 14, kEditStyles | kReadOnly},
    };
    return controls;
}

}  // namespace

const DialogTemplate* FindTemplate(int id) {
    static const DialogTemplate about{IDD_ABOUTBOX, "About Sitequill", 235, 55, 8, false, false,
                                      false,        AboutControls()};
    static const DialogTemplate main{
        IDD_SITEQUILL_DIALOG, MainCaption(), 320, 200, 8, false, false, false, MainControls()};
    if (id == IDD_ABOUTBOX)
        return &about;
    if (id == IDD_SITEQUILL_DIALOG)
        return &main;
    return nullptr;
}

}  // namespace res

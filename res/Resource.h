// Resource numbers: dialog templates, controls, icon, strings and system commands.
#pragma once

namespace res {

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_SITEQUILL_DIALOG = 102;
inline constexpr int IDR_MAINFRAME = 128;  ///< the application icon

inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDP_SOCKETS_INIT_FAILED = 103;

inline constexpr unsigned IDM_ABOUTBOX = 0x0010;  ///< system command of the About item

// Controls of the main window.
inline constexpr int IDC_QUIT = 1;  ///< the dialog's OK command
inline constexpr int IDC_ABOUT_OK = 1;  ///< the About box's OK button, the dialog's OK command
inline constexpr int IDC_TEST_LIST = 1000;
inline constexpr int IDC_HELP_BUTTON = 1001;
inline constexpr int IDC_TITLE = 1003;
inline constexpr int IDC_URL = 1004;
inline constexpr int IDC_POS1 = 1005;
inline constexpr int IDC_POS2 = 1006;
inline constexpr int IDC_NEG1 = 1007;
inline constexpr int IDC_NEG2 = 1008;
inline constexpr int IDC_DESCRIPTION = 1009;
inline constexpr int IDC_ADD = 1010;
inline constexpr int IDC_UPDATE = 1011;
inline constexpr int IDC_REMOVE = 1012;
inline constexpr int IDC_TEST_COUNT = 1013;
inline constexpr int IDC_TEST_ONE = 1014;
inline constexpr int IDC_TEST_ALL = 1015;
inline constexpr int IDC_STATUS = 1016;
inline constexpr int IDC_PRODUCT_LINE = 1045;

}  // namespace res

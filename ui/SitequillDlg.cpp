// CSitequillDlg: construction, data exchange, the message map and the window's own handlers.
#include "ui/SitequillDlg.h"

#include <array>

#include "res/Strings.h"

using namespace platform;

CSitequillDlg::CSitequillDlg()
    : CDialog(res::IDD_SITEQUILL_DIALOG),
      m_description(""),
      m_neg1(""),
      m_neg2(""),
      m_pos1(""),
      m_pos2(""),
      m_title(""),
      m_url(""),
      m_testCount(0),
      m_status(""),
      m_appIcon{res::IDR_MAINFRAME} {}

void CSitequillDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, res::IDC_TEST_LIST, m_testList);
    DDX_Text(pDX, res::IDC_DESCRIPTION, m_description);
    DDX_Text(pDX, res::IDC_NEG1, m_neg1);
    DDX_Text(pDX, res::IDC_NEG2, m_neg2);
    DDX_Text(pDX, res::IDC_POS1, m_pos1);
    DDX_Text(pDX, res::IDC_POS2, m_pos2);
    DDX_Text(pDX, res::IDC_TITLE, m_title);
    DDX_Text(pDX, res::IDC_URL, m_url);
    DDX_Text(pDX, res::IDC_TEST_COUNT, m_testCount);
    DDX_Text(pDX, res::IDC_STATUS, m_status);
}

namespace {

CSitequillDlg& Dlg(CDialog& d) {
    return static_cast<CSitequillDlg&>(d);
}

constexpr std::array kMessageMap{
    MessageMapEntry{
        WM_SYSCOMMAND, 0, 0,
        [](CDialog& d, Message& m) { Dlg(d).OnSysCommand(static_cast<unsigned>(m.id), m.param); }},
    MessageMapEntry{WM_PAINT, 0, 0, [](CDialog& d, Message&) { Dlg(d).OnPaint(); }},
    MessageMapEntry{WM_QUERYDRAGICON, 0, 0,
                    [](CDialog& d, Message& m) { m.result = Dlg(d).OnQueryDragIcon().resource; }},
    MessageMapEntry{WM_COMMAND, res::IDC_HELP_BUTTON, BN_CLICKED,
                    [](CDialog& d, Message&) { Dlg(d).OnHelpButton(); }},
    MessageMapEntry{WM_DESTROY, 0, 0, [](CDialog& d, Message&) { Dlg(d).OnDestroy(); }},
    MessageMapEntry{WM_COMMAND, res::IDC_ADD, BN_CLICKED,
                    [](CDialog& d, Message&) { Dlg(d).OnAdd(); }},
    MessageMapEntry{WM_COMMAND, res::IDC_UPDATE, BN_CLICKED,
                    [](CDialog& d, Message&) { Dlg(d).OnUpdate(); }},
    MessageMapEntry{WM_COMMAND, res::IDC_REMOVE, BN_CLICKED,
                    [](CDialog& d, Message&) { Dlg(d).OnRemove(); }},
    MessageMapEntry{WM_COMMAND, res::IDC_TEST_ONE, BN_CLICKED,
                    [](CDialog& d, Message&) { Dlg(d).OnTestOne(); }},
    MessageMapEntry{WM_COMMAND, res::IDC_TEST_ALL, BN_CLICKED,
                    [](CDialog& d, Message&) { Dlg(d).OnTestAll(); }},
    MessageMapEntry{WM_NOTIFY, res::IDC_TEST_LIST, NM_CLICK,
                    [](CDialog& d, Message& m) { Dlg(d).OnClickTestList(&m.result); }},
};

}  // namespace

std::span<const MessageMapEntry> CSitequillDlg::GetMessageMap() const {
    return kMessageMap;
}

bool CSitequillDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // The About item at the end of the system menu (where the window has one).
    const std::string aboutMenu = res::LoadString(res::IDS_ABOUTBOX);
    if (!aboutMenu.empty() && Backend())
        Backend()->AppendSystemMenuItem(aboutMenu, res::IDM_ABOUTBOX);

    if (Backend()) {
        Backend()->SetIcon(m_appIcon, true);
        Backend()->SetIcon(m_appIcon, false);
    }

    SetupColumns();
    LoadCatalogue();
    return true;  // the focus goes to the first tab stop, Quit
}

void CSitequillDlg::OnSysCommand(unsigned nID, long) {
    if ((nID & 0xFFF0u) == res::IDM_ABOUTBOX) {
        if (Backend())
            Backend()->RunAboutBox();
    } else {
        Default();
    }
}

void CSitequillDlg::OnPaint() {
    if (Backend() && Backend()->IsIconic())
        Backend()->DrawIcon(m_appIcon);
    else
        Default();
}

IconHandle CSitequillDlg::OnQueryDragIcon() {
    return m_appIcon;
}

void CSitequillDlg::OnHelpButton() {
    UpdateData(true);
    if (Backend())
        Backend()->ShellOpen("http://" + res::SiteName() + "/help.htm", SW_HIDE);
    UpdateData(false);
}

void CSitequillDlg::OnDestroy() {
    Default();  // the base class's destroy handling
    SaveCatalogue();
}

void CSitequillDlg::OnAdd() {
    UpdateData(true);
    AddEntry();
    UpdateData(false);
}

void CSitequillDlg::OnUpdate() {
    UpdateData(true);
    UpdateEntry();
    UpdateData(false);
}

void CSitequillDlg::OnRemove() {
    UpdateData(true);
    RemoveEntry();
    UpdateData(false);
}

void CSitequillDlg::OnClickTestList(long* pResult) {
    SelectEntry(m_testList.GetSelectionMark());
    UpdateData(false);
    *pResult = 0;
}

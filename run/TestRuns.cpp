// Test runs: Test One and Test All, framed by the header and footer fragments.
#include "platform/TextFile.h"
#include "ui/SitequillDlg.h"

using namespace platform;

namespace {

constexpr const char* kHeader = "Header.htm";
constexpr const char* kFooter = "Footer.htm";
// The prompt names the report as it always has; the file opened is the one written, since
// names are case-sensitive here.
constexpr const char* kReportShown = "Report.htm";
constexpr const char* kReportFile = "report.htm";

/// Run start, the same in both runs: status, empty results, the header into the report.
void StartRun(CSitequillDlg& d) {
    d.m_status = "Checking...";
    d.m_resultLine.clear();
    d.m_resultText.clear();
    d.m_resultTime.clear();
    d.AppendToReport(d.LoadFragment(kHeader));
}

/// The closing question; Yes opens the report in the user's viewer.
void ClosingPrompt(CSitequillDlg& d, const char* firstPiece) {
    const std::string message =
        std::string(firstPiece) + kReportShown + "\nWould you like to view it now?";
    if (d.AfxMessageBox(message, MB_YESNO) == IDYES && d.Backend())
        d.Backend()->ShellOpen(kReportFile, SW_SHOWNORMAL);
}

}  // namespace

void CSitequillDlg::OnTestOne() {
    UpdateData(true);
    const int mark = m_testList.GetSelectionMark();
    if (mark < 0) {
        MessageBox("Please Select a Test to Run from the list", "Error", MB_OK);
    } else {
        SelectEntry(mark);
        StartRun(*this);
        CheckCurrentTest();
        AppendToReport(LoadFragment(kFooter));
        ClosingPrompt(*this, "Your Test Has Been Performed.\nYour report was written to:\n");
    }
    UpdateData(false);
}

void CSitequillDlg::OnTestAll() {
    UpdateData(true);
    RunAllTests();
    UpdateData(false);
}

void CSitequillDlg::RunAllTests() {
    StartRun(*this);
    m_pageText.clear();
    m_status = "Downloading...";
    UpdateData(false);
    const int n = m_testList.GetItemCount();
    for (int i = 0; i < n; ++i) {
        SelectEntry(i);
        m_pageText.clear();
        m_status = "Downloading...";
        UpdateData(false);
        CheckCurrentTest();
    }
    m_status = "Done.";
    AppendToReport(LoadFragment(kFooter));
    UpdateData(false);
    ClosingPrompt(*this, "Your Tests Have Been Performed.\nYour report was written to:\n");
}

std::string CSitequillDlg::LoadFragment(std::string fileName) {
    std::optional<std::string> text = ReadTextFile(fileName);
    if (!text) {
        MessageBox("Error loading file", "Error", MB_OK);
        return {};
    }
    return *text;
}

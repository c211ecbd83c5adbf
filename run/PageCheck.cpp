// Page fetch and check: download a test's page, judge it, append the result line.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/InternetSession.h"
#include "platform/LocalTime.h"
#include "platform/TextFile.h"
#include "ui/SitequillDlg.h"

using namespace platform;

namespace {

constexpr const char* kAgent = "Sitequill 1.0 Agent";
constexpr const char* kRequestHeaders = "Accept: */*\r\n\r\n";

void Diagnose(const char* what, unsigned code) {
    std::fprintf(stderr, "%s%u\n", what, code);
    std::fflush(stderr);
}

/// A text is present when it is not empty and occurs anywhere in the page. memmem stays linear
/// in the page's size whatever the page holds; a plain find can take page size times text length
/// on a page made of near-matches.
bool IsPresent(std::string_view page, std::string_view text) {
    return !text.empty() && ::memmem(page.data(), page.size(), text.data(), text.size()) != nullptr;
}

}  // namespace

std::int32_t CSitequillDlg::FetchPage(std::string url) {
    std::string().swap(m_pageText);  // also gives back the memory of a large last page
    try {
        CInternetSession session(kAgent, [this] {
            if (Backend())
                Backend()->KeepAlive();
        });
        std::unique_ptr<CInternetFile> file;
        try {
            file = session.OpenURL(url, kRequestHeaders);
        } catch (const CInternetException& e) {
            Diagnose("OpenUrl failed: ", e.ErrorCode());
            return 0;
        }
        UpdateData(false);  // the run's status text shows while the body arrives
        while (file->Read(m_pageText) > 0) {
        }
        return 1;
    } catch (const CInternetException& e) {
        // A client that cannot be set up, or a transfer that breaks off: the page was not
        // downloaded, and the run goes on.
        std::string().swap(m_pageText);
        Diagnose("Read failed: ", e.ErrorCode());
        return 0;
    }
}

void CSitequillDlg::CheckCurrentTest() {
    if (FetchPage(m_url) == 0) {
        m_resultText = "404";
    } else {
        m_status = "Searching Page...";
        UpdateData(false);
        const bool pos1 = IsPresent(m_pageText, m_pos1);
        const bool pos2 = IsPresent(m_pageText, m_pos2);
        if (IsPresent(m_pageText, m_neg1))
            m_resultText = "Error String Found:" + m_neg1;
        else if (IsPresent(m_pageText, m_neg2))
            m_resultText = "Error String Found:" + m_neg2;
        else if ((pos1 && pos2) || (m_pos1.empty() && pos2) || (pos1 && m_pos2.empty()))
            m_resultText = "OK";
        else
            m_resultText = "Bad - Test String text Not Found";
    }
    m_resultTime = CurrentTimeStamp();
    m_resultLine = "\n" + m_resultTime + " " + m_url + " " + m_resultText;
    AppendToLog(m_resultLine);
    m_resultLine += "<br>";
    AppendToReport(m_resultLine);
    UpdateData(false);
}

void CSitequillDlg::AppendToReport(std::string text) {
    AppendToFile("report.htm", text);
}

void CSitequillDlg::AppendToLog(std::string text) {
    AppendToFile("tester.log", text);
}

void CSitequillDlg::AppendToFile(const char* fileName, const std::string& text) {
    // A file that cannot be opened, or a write that fails (a full disk), is reported alike.
    if (AppendTextFile(fileName, text) != WriteResult::Ok)
        MessageBox("Could not write to log file", "Error Log", MB_OK);
}

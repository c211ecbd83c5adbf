// CSitequillDlg: the main window object. It owns all program state; the operations declared here
// are defined in ui/ (window), catalogue/ (list editing and the catalogue file) and run/ (checks
// and runs).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/Dialog.h"
#include "platform/ListCtrl.h"
#include "res/Resource.h"

class CSitequillDlg : public platform::CDialog {
public:
    CSitequillDlg();
    ~CSitequillDlg() override = default;

    // --- Members, in declaration order -------------------------------------------------------
    std::string m_pageText;          ///< body of the page downloaded last
    std::string m_resultLine;        ///< result line of the last check, as written to the report
    std::string m_resultText;        ///< result text of the last check
    std::string m_resultTime;        ///< time stamp of the last check
    platform::CListCtrl m_testList;  ///< the catalogue: one row per test, seven columns
    std::string m_description;
    std::string m_neg1;
    std::string m_neg2;
    std::string m_pos1;
    std::string m_pos2;
    std::string m_title;
    std::string m_url;
    std::int32_t m_testCount;  ///< number of rows, shown in the test count box
    std::string m_status;      ///< progress text of a run, shown in the status box
    platform::IconHandle m_appIcon;

    // --- Catalogue editing (catalogue/CatalogueEdit.cpp) -------------------------------------
    void SetupColumns();
    void AutoSizeColumns();
    void AddEntry();
    void UpdateEntry();
    void RemoveEntry();
    /// Copies row r into the current fields; a row that does not exist leaves them as they are.
    void SelectEntry(int r);
    void InsertEntry();
    bool IsDuplicate();
    void ReverseRows();
    void RefreshTestCount();
    void ClearFields();

    // --- Catalogue file (catalogue/CatalogueFile.cpp) ----------------------------------------
    /// Fills the list from "sq.dat" (created empty when missing); ends with empty fields.
    void LoadCatalogue();
    /// Replaces "sq.dat" with the list's rows in one step; on any failure says so and leaves it.
    void SaveCatalogue();

    // --- Page fetch and check (run/PageCheck.cpp) --------------------------------------------
    /// 1 when the URL was opened and its body read into m_pageText, 0 when it was not.
    std::int32_t FetchPage(std::string url);
    void CheckCurrentTest();
    void AppendToReport(std::string text);
    void AppendToLog(std::string text);

    // --- Test runs (run/TestRuns.cpp) --------------------------------------------------------
    void OnTestOne();
    void OnTestAll();
    void RunAllTests();
    /// The whole text of a fragment file; "" when it is empty or cannot be opened.
    std::string LoadFragment(std::string fileName);

    // --- Window handlers (ui/SitequillDlg.cpp) -----------------------------------------------
    void OnSysCommand(unsigned nID, long lParam);
    void OnPaint();
    platform::IconHandle OnQueryDragIcon();
    void OnHelpButton();
    void OnDestroy();
    void OnAdd();
    void OnUpdate();
    void OnRemove();
    void OnClickTestList(long* pResult);

protected:
    void DoDataExchange(platform::CDataExchange* pDX) override;
    std::span<const platform::MessageMapEntry> GetMessageMap() const override;
    bool OnInitDialog() override;

private:
    /// Set when "sq.dat" exists but the load could not read it: the save must then not put the
    /// (incomplete) list in its place.
    bool m_catalogueUnread = false;

    /// The one append behind AppendToReport and AppendToLog.
    void AppendToFile(const char* fileName, const std::string& text);
};

// Editing the catalogue through the window's message map: Add, Update, Remove, a click in the list,
// and the list operations underneath them.
#include <gtest/gtest.h>

#include "Fixture.h"

using namespace sqtest;
using platform::IDNO;
using platform::IDYES;
using platform::MB_ICONEXCLAMATION;
using platform::MB_OK;
using platform::MB_YESNO;

namespace {

const Entry kFull{"Shop",      "http://127.0.0.1/shop", "Basket", "Price", "Error", "Fatal",
                  "front page"};
const std::string kDuplicateQuestion =
    "This entry is already in the list.\r\nDo you really want to add this item?";

class CatalogueEditTest : public DialogTest {
protected:
    void SetUp() override { Open(); }
};

TEST_F(CatalogueEditTest, StartsWithSevenLeftAlignedColumnsAndFullRowSelection) {
    EXPECT_EQ(backend.list.Headings(), (std::vector<std::string>{"Title", "URL", "POS1", "POS2",
                                                                 "NEG1", "NEG2", "Description"}));
    EXPECT_EQ(backend.list.Formats(), std::vector<int>(7, platform::LVCFMT_LEFT));
    EXPECT_EQ(backend.list.extendedStyle, platform::LVS_EX_FULLROWSELECT);
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], "0");
}

TEST_F(CatalogueEditTest, AddPutsEachNewEntryOnTopAndCountsIt) {
    std::vector<std::string> counts;
    for (const char* title : {"X", "Y", "Z"}) {
        Add(Titled(title));
        counts.push_back(backend.controls[res::IDC_TEST_COUNT]);
    }
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Z", "Y", "X"}));
    EXPECT_EQ(counts, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_TRUE(backend.boxes.empty());
    EXPECT_EQ(backend.list.GetSelectionMark(), -1) << "Add neither selects nor marks the new row";
}

TEST_F(CatalogueEditTest, AddStoresAllSevenTextsAndKeepsTheBoxes) {
    Add(kFull);
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0], kFull);
    EXPECT_EQ(Boxes(), kFull);
}

TEST_F(CatalogueEditTest, AddRefusesOnlyTheEmptyTitle) {
    Add(Titled("", "http://127.0.0.1/"));
    EXPECT_TRUE(Rows().empty());
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].text, "Course Name Blank.\r\nNo entry added.");
    EXPECT_EQ(backend.boxes[0].caption, "Error");
    EXPECT_EQ(backend.boxes[0].type, MB_OK);
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], "0");

    Add(Titled(" "));
    EXPECT_EQ(Titles(), std::vector<std::string>{" "}) << "a title of one space is a title";
    EXPECT_EQ(backend.boxes.size(), 1u);
}

struct RepeatCase {
    const char* name;
    Entry second;
    std::vector<int> answers;  // scripted answers; empty: no question expected
    std::size_t rowsAfter;
};

class RepeatTest : public CatalogueEditTest, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(RepeatTest, AsksOnlyForTheSameTitleAndUrl) {
    const RepeatCase& c = GetParam();
    Add(Titled("Home", "http://127.0.0.1/"));
    backend.answers.assign(c.answers.begin(), c.answers.end());
    Add(c.second);

    EXPECT_EQ(Rows().size(), c.rowsAfter);
    if (c.answers.empty()) {
        EXPECT_TRUE(backend.boxes.empty());
    } else {
        ASSERT_EQ(backend.boxes.size(), 1u);
        EXPECT_EQ(backend.boxes[0].text, kDuplicateQuestion);
        EXPECT_EQ(backend.boxes[0].caption, platform::AfxGetAppName());
        EXPECT_EQ(backend.boxes[0].type, MB_YESNO | MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(backend.unansweredQuestions, 0);
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], std::to_string(c.rowsAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RepeatTest,
    ::testing::Values(RepeatCase{"SameBothYes", Titled("Home", "http://127.0.0.1/"), {IDYES}, 2},
                      RepeatCase{"SameBothNo", Titled("Home", "http://127.0.0.1/"), {IDNO}, 1},
                      RepeatCase{"OtherUrl", Titled("Home", "http://127.0.0.1/x"), {}, 2},
                      RepeatCase{"TitleCaseDiffers", Titled("home", "http://127.0.0.1/"), {}, 2},
                      RepeatCase{"UrlCaseDiffers", Titled("Home", "HTTP://127.0.0.1/"), {}, 2},
                      RepeatCase{"TrailingBlank", Titled("Home ", "http://127.0.0.1/"), {}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CatalogueEditTest, ClickCopiesAllSevenTextsOfTheRow) {
    Add(kFull);
    Add(Titled("Other"));
    Type(Titled("typed but not stored"));
    ClickRow(1);
    EXPECT_EQ(Boxes(), kFull);
}

TEST_F(CatalogueEditTest, ClickWithNoRowMarkedKeepsWhatWasTyped) {
    Type(kFull);
    ClickRow(-1);  // an empty list
    EXPECT_EQ(Boxes(), kFull);

    Add(Titled("A"));
    Type(kFull);
    ClickRow(-1);  // below the last row, nothing ever marked
    EXPECT_EQ(Boxes(), kFull);
}

TEST_F(CatalogueEditTest, UpdateReplacesTheMarkedRowInPlaceWithoutAsking) {
    Add(Titled("Bottom", "u"));
    Add(Titled("Middle"));
    Add(Titled("Top", "u"));
    ClickRow(1);
    Entry changed = kFull;
    changed[0] = "Top";  // the same Title and URL as another row: still no question
    changed[1] = "u";
    Type(changed);
    Click(res::IDC_UPDATE);

    EXPECT_EQ(Titles(), (std::vector<std::string>{"Top", "Top", "Bottom"}));
    EXPECT_EQ(Rows()[1], changed);
    EXPECT_TRUE(backend.boxes.empty());
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], "3");
}

TEST_F(CatalogueEditTest, UpdateWithAnEmptyTitleChangesNothing) {
    Add(kFull);
    ClickRow(0);
    Type(Titled("", "new url"));
    Click(res::IDC_UPDATE);
    EXPECT_EQ(Rows()[0], kFull);
    EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(CatalogueEditTest, RemoveDeletesTheMarkedRowAndKeepsTheBoxes) {
    Add(Titled("C"));
    Add(Titled("B"));
    Add(Titled("A"));
    ClickRow(0);
    Type(kFull);
    Click(res::IDC_REMOVE);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], "2");
    EXPECT_EQ(Boxes(), kFull);
    EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(CatalogueEditTest, UpdateAndRemoveWithoutAMarkChangeNothing) {
    for (bool withRows : {false, true}) {
        if (withRows) {
            Add(Titled("B"));
            Add(Titled("A"));
        }
        const auto before = Rows();
        Type(kFull);
        Click(res::IDC_UPDATE);
        Click(res::IDC_REMOVE);
        EXPECT_EQ(Rows(), before);
        EXPECT_TRUE(backend.boxes.empty());
    }
}

TEST_F(CatalogueEditTest, ColumnsFitTheWidestTextOrTheHeading) {
    const auto width = [&](int column) { return backend.list.GetColumnWidth(column); };
    const int heading = platform::MemoryList::TextWidth("URL");
    EXPECT_EQ(width(1), heading);

    const std::string longUrl = "http://127.0.0.1/a/rather/long/address/of/a/page.htm";
    Add(Titled("Long", longUrl));
    Add(Titled("Short", "http://127.0.0.1/b"));
    EXPECT_EQ(width(1), platform::MemoryList::TextWidth(longUrl));

    ClickRow(1);
    Click(res::IDC_REMOVE);
    EXPECT_EQ(width(1), platform::MemoryList::TextWidth("http://127.0.0.1/b"));
    EXPECT_TRUE(backend.list.redraw);
}

class ReverseRowsTest : public CatalogueEditTest, public ::testing::WithParamInterface<int> {};

TEST_P(ReverseRowsTest, ReversesAllTextsAndTwiceRestores) {
    const int n = GetParam();
    std::vector<Entry> rows;
    for (int i = 1; i <= n; ++i) {
        const std::string s = std::to_string(i);
        rows.push_back({s, "u" + s, "p" + s, "q" + s, "n" + s, "m" + s, "d" + s});
    }
    std::vector<platform::MemoryList::Row> listRows;
    for (const Entry& e : rows)
        listRows.emplace_back(e.begin(), e.end());
    backend.list.SetRows(listRows);
    backend.list.SetSelectionMark(n > 0 ? 0 : -1);

    dlg.ReverseRows();
    EXPECT_EQ(Rows(), std::vector<Entry>(rows.rbegin(), rows.rend()));
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], std::to_string(n));
    EXPECT_EQ(backend.list.GetSelectionMark(), n > 0 ? 0 : -1) << "the mark stays with its index";

    dlg.ReverseRows();
    EXPECT_EQ(Rows(), rows);
}

INSTANTIATE_TEST_SUITE_P(RowCounts, ReverseRowsTest, ::testing::Values(0, 1, 2, 5));

TEST_F(CatalogueEditTest, ClearFieldsEmptiesTheBoxesAndShowsTheCount) {
    Add(kFull);
    dlg.ClearFields();
    EXPECT_EQ(Boxes(), Entry{});
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], "1");
}

}  // namespace
